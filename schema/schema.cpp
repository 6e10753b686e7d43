#include "schema/schema.h"

#include "schema/tables.h"

#include <QString>

#include <utility>

namespace kv::schema {

const char *databaseName(Db db)
{
    switch (db) {
    case Db::Main: return "KorvenalDB";
    case Db::Archive: return "Archief";
    case Db::Nutrient: return "Grondstof";
    }
    return "";
}

Table codeTable(const char *name)
{
    return codeTable(name, {});
}

Table codeTable(const char *name, std::initializer_list<Field> more)
{
    // CodeNr is the entry's position (1..n, renumbered on every save); RecordCode is 1 for an
    // active entry and -1 for one that the description lists leave out.
    Table table{name,
                Db::Main,
                {integer("CodeNr"), text("Omschrijving", 255), yesNo("Selected"), integer("RecordCode")},
                {primaryKey({"CodeNr"})}};
    table.fields.insert(table.fields.end(), more);
    return table;
}

Table numbered(const char *name, std::vector<Field> fields, std::vector<Index> indexes)
{
    fields.insert(fields.begin(), counter("ID"));
    indexes.insert(indexes.begin(), primaryKey({"ID"}));
    return {name, Db::Main, std::move(fields), std::move(indexes)};
}

const std::vector<Table> &tables()
{
    static const std::vector<Table> all = [] {
        std::vector<Table> list;
        for (auto add : {addCompanyTables, addFinanceTables, addRelationTables, addOrderTables,
                         addArticleTables, addLogisticsTables, addCodeTables, addCemeteryTables,
                         addFeedTables, addArchiveTables, addNutrientTables})
            add(list);
        return list;
    }();
    return all;
}

const Table *findTable(QStringView name)
{
    for (const Table &t : tables())
        if (name.compare(QLatin1StringView(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

} // namespace kv::schema

#include "schema/schema.h"

#include "schema/tables.h"

#include <QString>

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
    return {name,
            Db::Main,
            {integer("CodeNr"), text("Omschrijving", 255), yesNo("Selected"), integer("RecordCode")},
            {primaryKey({"CodeNr"})}};
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

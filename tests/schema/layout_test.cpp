#include "schema_lookup.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QString>

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace kv::schema;
using namespace kv::schema::test;

namespace {

// The engine creates one column per field and one index per Index; these are the rules it may
// rely on for every table.
void expectWellFormed(const Table &table)
{
    QSet<QString> fieldNames;
    int counters = 0;
    for (const Field &field : table.fields) {
        const QString lower = QString::fromLatin1(field.name).toLower();
        EXPECT_FALSE(fieldNames.contains(lower)) << "duplicate field " << table.name << "." << field.name;
        fieldNames.insert(lower);
        if (field.type == Type::Text) {
            EXPECT_GE(field.size, 1) << table.name << "." << field.name;
            EXPECT_LE(field.size, 255) << table.name << "." << field.name;
        }
        counters += field.type == Type::Counter;
    }
    EXPECT_LE(counters, 1) << table.name << ": one autonumber at most";

    QSet<QString> indexNames;
    int primaries = 0;
    for (const Index &index : table.indexes) {
        const QString lower = QString::fromLatin1(index.name).toLower();
        EXPECT_FALSE(indexNames.contains(lower)) << "duplicate index " << table.name << "." << index.name;
        indexNames.insert(lower);
        EXPECT_FALSE(index.fields.empty()) << table.name << "." << index.name;
        if (index.primary) {
            ++primaries;
            EXPECT_STREQ(index.name, "PrimaryKey") << table.name;
            EXPECT_TRUE(index.unique) << table.name;
        } else {
            EXPECT_FALSE(sameName(index.name, "PrimaryKey")) << table.name;
        }
        for (const char *name : index.fields) {
            const Field *field = fieldOf(table, name);
            ASSERT_NE(field, nullptr) << table.name << "." << index.name << " on missing " << name;
            EXPECT_NE(field->type, Type::Memo) << table.name << "." << index.name << ": memo cannot be indexed";
        }
    }
    EXPECT_EQ(primaries, 1) << table.name;
}

// Fields of one kind join tables; a value must fit wherever it is copied or compared. A name
// ending in '*' stands for every field that begins with it.
struct Kind {
    const char *what;
    std::vector<const char *> names;
};
const Kind joinKinds[] = {
    {"relation number", {"RelNr", "RelatieNr", "CommissionairNr", "TransporteurRelNr", "LaadAdresRelNr",
                         "DerdeRelNr", "Leveranciersnummer*"}},
    {"order number", {"OrderNr", "OrderNummer"}},
    {"article number", {"ArtikelNummer", "ArtikelNr", "ArtNr", "ArtNrHuur", "AlgemeenArtNr", "DroogArtNr",
                        "VrachtArtNr", "HLArtNr", "WeegArtNr", "TarraArtNr"}},
    {"ledger account", {"GrootboekReknr*", "GrbRek*", "InkoopRekening", "Grootboeknummer"}},
    {"invoice number", {"FactuurNr*", "AfleverFactuurNr", "CreditFactuurNr", "ProformaFactuurNr"}},
    {"booking number", {"BoekstukNr"}},
    {"journal", {"DagboekCode"}},
    {"year", {"Boekjaar"}},
    {"VAT code", {"BTWCode"}},
    {"cost centre", {"Kostenplaats"}},
    {"subscription", {"Guid"}},
    {"grave", {"Graflocatie"}},
    {"country", {"ISO"}},
};

bool matches(const char *field, const char *pattern)
{
    const std::string_view p(pattern);
    if (p.ends_with('*'))
        return QString::fromLatin1(field).startsWith(
            QLatin1StringView(p.data(), qsizetype(p.size() - 1)), Qt::CaseInsensitive);
    return sameName(field, pattern);
}

const Table &table(const char *name)
{
    const Table *found = tableNamed(name);
    if (!found)
        throw std::runtime_error(std::string("no table ") + name);
    return *found;
}

} // namespace

TEST(SchemaLayout, EveryTableIsWellFormed)
{
    for (const Table &t : tables())
        expectWellFormed(t);
}

TEST(SchemaLayout, JoinFieldsHaveOneTypeAndSizeEverywhere)
{
    for (const Kind &kind : joinKinds) {
        const Field *first = nullptr;
        const char *firstTable = nullptr;
        int count = 0;
        for (const Table &t : tables()) {
            for (const Field &field : t.fields) {
                bool ofKind = false;
                for (const char *pattern : kind.names)
                    ofKind = ofKind || matches(field.name, pattern);
                if (!ofKind)
                    continue;
                ++count;
                if (!first) {
                    first = &field;
                    firstTable = t.name;
                    continue;
                }
                EXPECT_EQ(field.type, first->type) << kind.what << ": " << t.name << "." << field.name
                                                   << " against " << firstTable << "." << first->name;
                EXPECT_EQ(field.size, first->size) << kind.what << ": " << t.name << "." << field.name
                                                   << " against " << firstTable << "." << first->name;
            }
        }
        EXPECT_GE(count, 2) << kind.what;
    }
}

// Dates are kept as yyyymmdd text; a date field of another type would not sort or compare.
TEST(SchemaLayout, DatesAreEightCharacterText)
{
    for (const Table &t : tables()) {
        for (const Field &field : t.fields) {
            if (!QString::fromLatin1(field.name).contains(u"datum", Qt::CaseInsensitive))
                continue;
            EXPECT_EQ(field.type, Type::Text) << t.name << "." << field.name;
            EXPECT_EQ(field.size, 8) << t.name << "." << field.name;
        }
    }
}

// Deleting a relation removes its rows from these tables; each needs an index led by the
// relation number, or the deletion reads whole tables per relation.
TEST(SchemaLayout, RelationRowsAreFoundByIndex)
{
    const std::pair<const char *, const char *> byRelation[] = {
        {"FaktuurHistorie", "RelNr"}, {"FaktuurMutaties", "RelNr"}, {"OpenstaandePosten", "RelNr"},
        {"Betalingen", "RelNr"}, {"Ordergegevens", "RelNr"}, {"RelatieStatistiek", "RelNr"},
        {"VoorraadInname", "RelNr"}, {"RelatieGegevensAfleverAdressen", "RelNr"},
        {"RelatieGegevensContactPersonen", "RelNr"}, {"OrderNotitie", "Relnr"}, {"Mandaten", "RelNr"},
        {"FGContractBeheer", "RelNr"}, {"FGContractDeellevering", "RelNr"}, {"FGVVKOrders", "RelatieNr"},
        {"Abonnement", "RelNr"},
    };
    for (const auto &[name, field] : byRelation) {
        const Table &t = table(name);
        bool found = false;
        for (const Index &index : t.indexes)
            found = found || sameName(index.fields.front(), field);
        EXPECT_TRUE(found) << name << " has no index led by " << field;
    }
}

// Archiving copies a row field by field by the archive table's names, and seeks the same keys.
TEST(SchemaLayout, ArchiveTablesCarryTheLayoutOfTheirWorkingTable)
{
    const std::pair<const char *, const char *> pairs[] = {
        {"Ordergegevens", "OrderGegevensArchief"},
        {"OrderGegevensBijgekocht", "OrderGegevensBijgekochtArchief"},
        {"OrderGegevensKwaliteit", "OrderGegevensKwaliteitArchief"},
        {"OrderGegevensMeta", "OrderGegevensMetaArchief"},
        {"OrderLogistiek", "OrderLogistiekArchief"},
        {"OrderNotitie", "OrderNotitieArchief"},
    };
    for (const auto &[workingName, archiveName] : pairs) {
        const Table &working = table(workingName);
        const Table &archive = table(archiveName);
        EXPECT_EQ(working.db, Db::Main) << workingName;
        EXPECT_EQ(archive.db, Db::Archive) << archiveName;
        for (const Field &field : working.fields) {
            const Field *copy = fieldOf(archive, field.name);
            ASSERT_NE(copy, nullptr) << archiveName << " lacks " << field.name;
            // The archive keeps the working row's number rather than numbering rows itself.
            const Type expected = field.type == Type::Counter ? Type::Long : field.type;
            EXPECT_EQ(copy->type, expected) << archiveName << "." << field.name;
            EXPECT_EQ(copy->size, field.size) << archiveName << "." << field.name;
        }
        for (const Index &index : working.indexes) {
            const Index *copy = indexOf(archive, index.name);
            ASSERT_NE(copy, nullptr) << archiveName << " lacks index " << index.name;
            EXPECT_EQ(fieldList(*copy), fieldList(index)) << archiveName << "." << index.name;
        }
    }
}

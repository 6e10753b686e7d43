#include "schema_lookup.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QString>

#include <vector>

using namespace kv::schema;
using namespace kv::schema::test;

namespace {

// Every table the system names, by the database that holds it.
const std::vector<const char *> mainTables = {
    "Abonnement", "AbonnementIncasso", "ActivaAlgemeen", "ActivaAmortisatieTabel", "ActivaGroepen",
    "ActivaRegistratie", "AdminGegevens", "Artikelen", "ArtikelenBTW", "ArtikelFactuurOmschrijving",
    "ArtikelPrijslijst", "ArtikelSoortArtikelNr", "ArtikelStatistiek", "Autogegevens", "BalieVerkoop",
    "BalieVerkoopInstellingen", "Bestellingen", "BestelTekst", "Betalingen", "Bewaarloon",
    "BewaarloonPHM", "BGAGrafBestand", "BGAGrafbezetting", "BGAGrafEigenaar", "BGAGrafHistorie",
    "BGAMatrix", "BGAOnderhoudsGegevens", "BGAOnderhoudsRelaties", "BGAUrnasBeschikking",
    "BGAUrnasBestemming", "Boten", "BTWcodering", "BTWPeriodeRapport", "Budget", "Budgetverdeling",
    "Bunkers", "ColliTabel", "Containers", "ContantMutaties", "Dagafschriften",
    "DagafschriftenMutaties", "Dagboek", "DouaneKantoren", "Droogtabel", "DroogtabelDetails",
    "FactuurHeader", "FactuurRuns", "FaktuurMutaties", "FGContractBeheer", "FGContractDeellevering",
    "FGLeveringenTabel", "FGTempVVKOrders", "FGVVKOrders", "GrootboekMutaties", "Hoofdverdichting",
    "Inkoopcombinaties", "Journaal", "JournaalSubAdministratie", "Landen", "LeveringenTabel",
    "Leveringsvoorwaarden", "Locatie", "LocatieMagazijn", "MandaatWijzigingen", "Mandaten",
    "Medewerkers", "OpenstaandePosten", "Ordergegevens", "OrderGegevensBijgekocht",
    "OrderGegevensKwaliteit", "OrderGegevensMeta", "OrderLogistiek", "OrderNotitie",
    "OrderRitTussenLocaties", "Perioden", "Pool", "PoolDetails", "PrijsAfspraken",
    "ProductlijnKoppeling", "RekeningSchema", "RelatieGegevens", "RelatieGegevensAfleverAdressen",
    "RelatieGegevensContactPersonen", "RelatieGegevensZelf", "RelatieStatistiek", "Ritgegevens",
    "Sluitregel", "Staffelcodering", "Subverdichting", "TabelAutocodering", "TabelEmailTemplate",
    "TabelGrootboekKoppeling", "TabelInterneCodering", "TabelProductieLijn", "TabelSorteren",
    "TabelVerpakking", "TarraVoorwaarden", "TempBalieVerkoop", "TempJournaal", "TempOrderGegevens",
    "Transacties", "TransactiesVoorstel", "UNnummers", "UserGegevens", "ValutaTabel",
    "VerzendwijzeRelaties", "VoorraadBatch", "VoorraadBatchFactuur", "VoorraadInname",
    "VoorraadMutaties",
};

// The code tables of the code-table editor (main database).
const std::vector<const char *> codeTables = {
    "TabelAanmaancode", "TabelAanschrijfvorm", "TabelAdelcode", "TabelAfleververpakking",
    "TabelArtikelEenheid", "TabelArtikelgroepen", "TabelArtikelsubgroep", "tabelbaalsoort",
    "TabelBetaalWijzen", "TabelBetalingscondities", "TabelBewaren", "TabelBGAAsbestemming",
    "TabelBGABegraafplaatsen", "TabelBGABurgStaat", "TabelBGAGrafTypen", "TabelBGAGrafZijden",
    "TabelBGAKerkGezindte", "TabelBGAKlasseAanduiding", "TabelBGAMonument", "TabelBGARelatie",
    "TabelBonuskorting", "TabelBrandstof", "TabelCategorieEDI", "TabelFactuurGroepen",
    "TabelFactuurSoorten", "TabelFGArtikelsoort", "TabelFGDiergroepen", "TabelFGGraasdieren",
    "TabelFGMineraalGegevens", "TabelFGRundvee", "TabelFGStaldieren", "TabelFGVDMOpmerkingen",
    "TabelFuncties", "TabelJPteksten", "tabelkeuringscode", "TabelKortingscode", "TabelKostenplaatsen",
    "tabelkwaliteit", "TabelLandcode", "TabelLeveringsvoorwaarden", "TabelLint", "tabellocatie",
    "TabelLoods", "TabelMailcode", "TabelMedewerkers", "TabelMonster", "TabelOrderFase",
    "TabelPalletLabel", "TabelPrijsgroepcode", "TabelProductlijn", "tabelras", "TabelRayoncode",
    "TabelRelatiegroepen", "TabelSluitregel", "TabelSoort", "TabelSoortLading", "TabelTitulatuurAchter",
    "TabelTitulatuurVoor", "tabeltransportcategorie", "TabelVertcode", "TabelVerzekering",
    "TabelVerzendcode", "TabelVoorvoegsels", "TabelWagenCategorie", "TabelWebportaalGroep",
    "TabelWeegCode",
};

const std::vector<const char *> archiveTables = {
    "FaktuurHistorie", "OrderGegevensArchief", "OrderGegevensBijgekochtArchief",
    "OrderGegevensKwaliteitArchief", "OrderGegevensMetaArchief", "OrderLogistiekArchief",
    "OrderNotitieArchief",
};

// Tables whose name the system leaves open, under the name they have here.
struct Unnamed {
    const char *what;
    const char *name;
    Db db;
};
const Unnamed unnamedTables[] = {
    {"currency table", "ValutaTabel", Db::Main},
    {"code-table settings", "TabelSorteren", Db::Main},
    {"dated article rates", "ArtikelPrijslijst", Db::Main},
    {"third order-linked table", "OrderRitTussenLocaties", Db::Main},
    {"nutrients", "Nutrienten", Db::Nutrient},
    {"nutrient units", "NutrientEenheden", Db::Nutrient},
    {"raw materials", "Grondstoffen", Db::Nutrient},
};

struct Group {
    Db db;
    const std::vector<const char *> &names;
};
const Group namedTables[] = {{Db::Main, mainTables}, {Db::Main, codeTables}, {Db::Archive, archiveTables}};

} // namespace

TEST(SchemaTables, EveryNamedTableIsInItsDatabase)
{
    for (const Group &group : namedTables) {
        for (const char *name : group.names) {
            const Table *table = tableNamed(name);
            ASSERT_NE(table, nullptr) << name;
            EXPECT_EQ(table->db, group.db) << name;
            // The system spells some names in several cases.
            EXPECT_EQ(findTable(QString::fromLatin1(name).toUpper()), table) << name;
        }
    }
    for (const Unnamed &u : unnamedTables) {
        const Table *table = tableNamed(u.name);
        ASSERT_NE(table, nullptr) << u.what;
        EXPECT_EQ(table->db, u.db) << u.what;
    }
}

TEST(SchemaTables, HoldsNoTableBeyondTheNamedOnes)
{
    QSet<QString> expected;
    for (const Group &group : namedTables)
        for (const char *name : group.names)
            expected.insert(QString::fromLatin1(name).toLower());
    for (const Unnamed &u : unnamedTables)
        expected.insert(QString::fromLatin1(u.name).toLower());

    QSet<QString> seen;
    for (const Table &table : tables()) {
        if (table.own)
            continue; // the console's own
        const QString name = QString::fromLatin1(table.name).toLower();
        EXPECT_TRUE(expected.contains(name)) << table.name;
        EXPECT_FALSE(seen.contains(name)) << "twice: " << table.name;
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), expected.size());
}

// The code-table editor and the description lists read every one of these the same way.
TEST(SchemaTables, CodeTablesCarryTheStandardFields)
{
    struct Expect {
        const char *name;
        Type type;
    };
    const Expect standard[] = {{"CodeNr", Type::Integer}, {"Omschrijving", Type::Text},
                               {"Selected", Type::YesNo}, {"RecordCode", Type::Integer}};

    std::vector<const char *> names = codeTables;
    names.insert(names.end(), {"TabelProductieLijn", "TabelVerpakking"});
    for (const char *name : names) {
        const Table *table = tableNamed(name);
        ASSERT_NE(table, nullptr) << name;
        ASSERT_GE(table->fields.size(), std::size(standard)) << name;
        for (size_t i = 0; i < std::size(standard); ++i) {
            EXPECT_STREQ(table->fields[i].name, standard[i].name) << name;
            EXPECT_EQ(table->fields[i].type, standard[i].type) << name << "." << standard[i].name;
        }
        const Index &primary = table->indexes.front();
        EXPECT_TRUE(primary.primary) << name;
        EXPECT_EQ(fieldList(primary), "CodeNr") << name;
    }
}

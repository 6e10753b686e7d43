#include "schema/tables.h"

namespace kv::schema {

void addCodeTables(std::vector<Table> &out)
{
    // The pick lists of the code-table editor. Some names are spelled in lower case, as the suite
    // knows them; the engine matches table names ignoring case.
    for (const char *name : {
             // Relations
             "TabelAanmaancode", "TabelAanschrijfvorm", "TabelAdelcode", "TabelBetaalWijzen",
             "TabelBetalingscondities", "TabelFuncties", "TabelKortingscode", "TabelBonuskorting",
             "TabelMailcode", "TabelPrijsgroepcode", "TabelRayoncode", "TabelRelatiegroepen",
             "TabelTitulatuurAchter", "TabelTitulatuurVoor", "TabelVertcode", "TabelVoorvoegsels",
             "TabelLandcode", "TabelSluitregel",
             // Articles and orders
             "TabelAfleververpakking", "TabelArtikelEenheid", "TabelArtikelgroepen", "TabelArtikelsubgroep",
             "TabelProductlijn", "TabelWebportaalGroep", "TabelCategorieEDI", "TabelFactuurGroepen",
             "TabelFactuurSoorten", "TabelLeveringsvoorwaarden", "TabelOrderFase", "TabelMedewerkers",
             "TabelPalletLabel", "TabelLint", "TabelProductieLijn",
             // Bookkeeping
             "TabelJPteksten", "TabelKostenplaatsen",
             // Transport and vehicles
             "TabelBrandstof", "TabelVerzekering", "TabelVerzendcode", "TabelSoortLading",
             "TabelWagenCategorie", "tabeltransportcategorie",
             // Trade in harvests: contracts, weighing, storage
             "TabelBewaren", "TabelMonster", "TabelSoort", "TabelWeegCode", "TabelLoods",
             "tabelbaalsoort", "tabelkeuringscode", "tabelkwaliteit", "tabellocatie", "tabelras",
             // Feed and manure
             "TabelFGArtikelsoort", "TabelFGDiergroepen", "TabelFGGraasdieren", "TabelFGMineraalGegevens",
             "TabelFGRundvee", "TabelFGStaldieren", "TabelFGVDMOpmerkingen",
             // Cemetery
             "TabelBGAAsbestemming", "TabelBGABegraafplaatsen", "TabelBGABurgStaat", "TabelBGAGrafTypen",
             "TabelBGAGrafZijden", "TabelBGAKerkGezindte", "TabelBGAKlasseAanduiding", "TabelBGAMonument",
             "TabelBGARelatie",
         })
        out.push_back(codeTable(name));

    // Packaging: a code table with an owner, a weight range and a price.
    out.push_back(codeTable("TabelVerpakking", {
        relNr(), dbl("GewichtMin"), dbl("GewichtMax"), currency("VerpakkingsPrijs"), text("PalletType", 20),
    }));

    // Whether the editor shows a code table sorted, per lower-case table name.
    out.push_back({"TabelSorteren", Db::Main, {text("Naam", 50), yesNo("Sorteren")}, {primaryKey({"Naam"})}});

    for (const char *name : {"TabelAutocodering", "TabelInterneCodering"})
        out.push_back(numbered(name));
}

} // namespace kv::schema

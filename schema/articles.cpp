#include "schema/tables.h"

namespace kv::schema {

static void addArticleMasterTables(std::vector<Table> &out)
{
    // Eenheid and Verpakking are keys of TabelArtikelEenheid and TabelAfleververpakking; prices
    // are per PrijsPer units. The Leveranciersnummers are relation numbers of suppliers.
    out.push_back({"Artikelen", Db::Main, {
        articleNr(), text("Omschrijving1", 100), text("Omschrijving2", 100), text("Zoektekst", 50),
        codeRef("Artikelgroep"), codeRef("Eenheid"), codeRef("Verpakking"),
        currency("Inkoopprijs"), currency("Verkoopprijs1"), currency("Verkoopprijs2"), currency("Verkoopprijs3"),
        dbl("PrijsPer"), vatCode(),
        ledgerAccount("InkoopRekening"), ledgerAccount("Grootboeknummer"),
        articleNr("LevArtikelnummer"),
        relNr("Leveranciersnummer1"), relNr("Leveranciersnummer2"), relNr("Leveranciersnummer3"),
    }, {primaryKey({"ArtikelNummer"}), index("Omschrijving1", {"Omschrijving1"}),
        index("Artikelgroep", {"Artikelgroep"})}});

    // Per article and VAT code, when UserGegevens.ExtendedBTWGrootboek is on.
    out.push_back({"ArtikelenBTW", Db::Main, {
        articleNr(), vatCode(), ledgerAccount("InkoopRekening"), ledgerAccount("Grootboeknummer"),
    }, {primaryKey({"ArtikelNummer", "BTWCode"})}});

    // Dated rates: the rate of an article on a day is the row whose DatumVanaf..DatumTM holds it.
    out.push_back({"ArtikelPrijslijst", Db::Main, {
        guid(), articleNr(), dateText("DatumVanaf"), dateText("DatumTM"), currency("Prijs"),
    }, {primaryKey({"Guid"}), index("ArtikelNummer", {"ArtikelNummer", "DatumVanaf"})}});

    // Article kinds with their reference moisture, each tied to an article.
    out.push_back(numbered("ArtikelSoortArtikelNr",
                           {text("Omschrijving", 100), dbl("RefVocht"), dbl("RefHL"), articleNr()},
                           {index("ArtikelNummer", {"ArtikelNummer"})}));

    for (const char *name : {"ArtikelFactuurOmschrijving", "ArtikelStatistiek", "PrijsAfspraken",
                             "Staffelcodering", "ProductlijnKoppeling"})
        out.push_back(numbered(name));

    // Bonus and feed delivery tables, found by their code.
    for (const char *name : {"LeveringenTabel", "FGLeveringenTabel"})
        out.push_back({name, Db::Main, {text("tabelcode", 20)}, {primaryKey({"tabelcode"})}});
}

static void addStorageFeeTables(std::vector<Table> &out)
{
    // Storage fees: the article is invoiced per Periode, for at most MaxPeriode periods.
    out.push_back({"Bewaarloon", Db::Main, {
        integer("CodeNr"), text("Omschrijving", 100), articleNr("ArtNr"),
        longInt("Periode"), longInt("MaxPeriode"), integer("RekenMethode"), yesNo("AparteFactuur"),
        currency("ArtikelPrijs"), currency("VerkoopPrijs"),
    }, {primaryKey({"CodeNr"})}});
    out.push_back(numbered("BewaarloonPHM"));
}

static void addStockTables(std::vector<Table> &out)
{
    // Intake and outtake, removed a year at a time by InnameNr and with a relation by RelNr.
    out.push_back(numbered("VoorraadInname", {relNr(), longInt("InnameNr"), dateText("Datum")},
                           {index("InnameNr", {"InnameNr"}), byRelNr()}));

    for (const char *name : {"VoorraadBatch", "VoorraadBatchFactuur", "VoorraadMutaties",
                             "Locatie", "LocatieMagazijn", "Pool", "PoolDetails"})
        out.push_back(numbered(name));
}

void addArticleTables(std::vector<Table> &out)
{
    addArticleMasterTables(out);
    addStorageFeeTables(out);
    addStockTables(out);
}

} // namespace kv::schema

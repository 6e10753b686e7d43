#include "editing/selection/selectiekinds.h"

namespace kv {

namespace {

using enum Zoekregel;

const std::vector<QStringView> artikelSoorten = {
    u"frmartikelen", u"frmorderinvoer", u"frmfg_orderinvoer", u"frmvvkorderinvoer", u"frmcontantverkopen",
    u"frmcontractbeheer", u"frmfg_voorraadinname", u"frmfg_relatiesfakturen", u"frmlocatiebeheerbewerken",
    u"frmsorbexonline"};

// Per kind: table (join), and per sort order its caption, the searched fields with their rule,
// and the order when it is not the first field.
const std::vector<SelectieBouwer> bouwers = {
    {{u"frmtabelartikelgroepen"}, u"TabelArtikelGroepen", {},
     {{u"Codenr", {{u"Codenr", PrefixOfNaSpatie}}},
      {u"Omschrijving", {{u"Omschrijving", Prefix}}}}},
    {{u"frmbonuscodetabel"}, u"LeveringenTabel", {},
     {{u"Tabelcode", {{u"tabelcode", PrefixOfNaSpatie}}}}},
    {{u"frmfgleveringentabel"}, u"FGLeveringenTabel", {},
     {{u"Tabelcode", {{u"tabelcode", PrefixOfNaSpatie}}}}},
    {{u"frmautogegevens"}, u"Autogegevens", {},
     {{u"Intern nummer", {{u"InternNr", Exact}}},
      {u"Kenteken", {{u"Kenteken", Prefix}}}}},
    {{u"frmmedewerkers"}, u"Medewerkers", {},
     {{u"Personeelsnummer", {{u"PersoneelsNr", Exact}}},
      {u"Achternaam", {{u"Achternaam", Prefix}}}}},
    {{u"frmafleveradres"}, u"DouaneKantoren", u"LEFT JOIN Landen ON DouaneKantoren.ISO = Landen.ISO",
     {{u"Land", {{u"Landen.Land", PrefixOfNaSpatie}, {u"DouaneKantoren.Naam", PrefixOfBevat}},
       u"Landen.Land ASC, DouaneKantoren.Naam ASC"}},
     u"DouaneKantoren.id"},
    {{u"frmartikelen-un"}, u"UNnummers", {},
     {{u"UN nummer", {{u"UNnummer", Exact}}},
      {u"Omschrijving", {{u"BenamingNL", PrefixOfNaSpatie}}}},
     u"UNnummer", Keuze::Sleutel},
    {artikelSoorten, u"Artikelen", {},
     {{u"Artikelnummer", {{u"Artikelnummer", PrefixOfNaSpatie}}},
      {u"Omschrijving", {{u"Omschrijving1", ArtikelOmschrijving}}},
      {u"Artikelgroep", {{u"Artikelgroep", TekstOfNummer}}},
      {u"Artikelnummer leverancier", {{u"LevArtikelnummer", Prefix}}},
      {u"Leveranciersnummer", {{u"Leveranciersnummer1", Exact}, {u"Leveranciersnummer2", Exact},
                               {u"Leveranciersnummer3", Exact}}}}},
    {{u"frmartikelgroepfilter"}, u"Artikelen", {},
     {{u"Artikelgroep", {{u"Artikelgroep", TekstOfNummer}}, u"Artikelen.Artikelnummer ASC"}}},
    {{u"frmordervrijgeven"}, u"Ordergegevens", u"LEFT JOIN Relatiegegevens ON Ordergegevens.RelNr = Relatiegegevens.RelNr",
     {{u"Ordernummer", {{u"Ordernr", Exact}}},
      {u"Relatienummer", {{u"Relnr", Exact}}},
      {u"Artikelnummer", {{u"Artnr", Prefix}}},
      {u"Bedrijfsnaam", {{u"Relatiegegevens.bedrijfsnaam1", Prefix}}}},
     u"Ordergegevens.OrderNr", Keuze::Sleutel},
    {{u"frmorderoverzicht"}, u"Ordergegevens", {},
     {{u"Relatienummer", {{u"Relnr", Exact}}},
      {u"Artikelnummer", {{u"Artnr", Prefix}}},
      {u"Ordernummer", {{u"Ordernr", Exact}}}}},
    {{u"frmvvkorders"}, u"FGVVKOrders", {},
     {{u"Relatienummer", {{u"RelatieNr", Exact}}},
      {u"Artikelnummer", {{u"ArtikelNr", Prefix}}},
      {u"Ordernummer", {{u"Ordernr", Exact}}}}},
    {{u"frmartikelenontvangen"}, u"Bestellingen", {},
     {{u"Artikelnummer", {{u"ArtikelNr", Prefix}}},
      {u"Bestelnummer", {{u"Bestelnummer", Prefix}}}},
     u"ID", Keuze::Sleutel},
    {{u"frmrelaties"}, u"Relatiegegevens", {},
     {{u"Bedrijfsnaam", {{u"bedrijfsnaam1", Prefix}}},
      {u"Relatienummer", {{u"relnr", Exact}}},
      {u"Postcode", {{u"BedrijfsPostcode", Prefix}}},
      {u"Woonplaats", {{u"BedrijfsWoonplaats", Prefix}}}}},
    {{u"frmbgaoverleden"}, u"BGAGrafbezetting", {},
     {{u"Registratienummer", {{u"RegnrOverleden", Exact}}},
      {u"Achternaam", {{u"Achternaam", Prefix}}}},
     u"RegnrOverleden", Keuze::Sleutel},
    {{u"frmbgagrafeigenaar"}, u"BGAGrafbezetting", {},
     {{u"Graflocatie", {{u"Graflocatie", Prefix}}, u"BGAGrafbezetting.DatumOverlijden DESC"}},
     u"RegnrOverleden", Keuze::Sleutel},
    {{u"frmbgahistorie", u"frmbgaoverzichthistorie"}, u"bgagrafhistorie", {},
     {{u"Registratienummer", {{u"RegnrOverleden", Exact}}},
      {u"Achternaam", {{u"Achternaam", Prefix}}},
      {u"Graflocatie", {{u"Graflocatie", Prefix}}}},
     u"ID", Keuze::Sleutel},
    {{u"frmbgagravenbestand"}, u"bgagrafbestand", {},
     {{u"Graflocatie", {{u"Graflocatie", Prefix}}},
      {u"Relatienummer", {{u"Relnr", Exact}}}}},
};

const std::vector<Kolom> overledenKolommen = {
    {u"Graflocatie", u"Graflocatie"}, {u"Regnr.", u"RegnrOverleden"}, {u"Achternaam", u"Achternaam"},
    {u"Voorvoegsels", u"Voorvoegsels"}, {u"Voornamen", u"Voornamen"}, {u"Geslacht", u"Geslacht"},
    {u"Geboortedatum", u"Geboortedatum"}, {u"Geboorteplaats", u"Geboorteplaats"},
    {u"Datum overlijden", u"DatumOverlijden"}, {u"Plaats overlijden", u"PlaatsOverlijden"}, {u"Leeftijd", u"Leeftijd"}};

// Per kind: the columns and the field each shows. The first column is what most kinds hand back.
const std::vector<SelectieLijst> lijsten = {
    {{u"frmtabelartikelgroepen"}, {{u"codenr.", u"Codenr"}, {u"omschrijving", u"Omschrijving"}}},
    {{u"frmbonuscodetabel", u"frmfgleveringentabel"},
     {{u"Codenr.", u"tabelcode"}, {u"staffelcode", u"Staffelcode"}, {u"koppeling", u"Koppeling"}}},
    {{u"frmartikelen-un"},
     {{u"UN nummer", u"UNnummer"}, {u"Omschrijving", u"BenamingNL"}, {u"Vervoerscategorie", u"Vervoerscategorie"},
      {u"ADR-punten", u"ADRPunten"}, {u"Etiketten", u"Etiketten"}, {u"Verpakkingsgroep", u"Verpakkingsgroep"}}},
    {{u"frmorderinvoer", u"frmfg_orderinvoer", u"frmvvkorderinvoer", u"frmcontantverkopen", u"frmcontractbeheer",
      u"frmfg_voorraadinname"},
     {{u"artikelnr.", u"Artikelnummer"}, {u"zoektekst", u"Zoektekst"}, {u"omschrijving-1", u"Omschrijving1"},
      {u"omschrijving-2", u"Omschrijving2"}, {u"verp. eenheid", u"Verpakking"}, {u"artnr. lev.", u"LevArtikelnummer"},
      {u"leverancier", u"Leveranciersnummer1"}, {u"artikelgroep", u"Artikelgroep"},
      {u"verkoopprijs-1", u"Verkoopprijs1"}, {u"verkoopprijs-2", u"Verkoopprijs2"},
      {u"verkoopprijs-3", u"Verkoopprijs3"}, {u"prijs per", u"PrijsPer"}}},
    {{u"frmartikelen", u"frmfg_relatiesfakturen", u"frmlocatiebeheerbewerken", u"frmsorbexonline",
      u"frmartikelgroepfilter"},
     {{u"artikelnr.", u"Artikelnummer"}, {u"zoektekst", u"Zoektekst"}, {u"omschrijving-1", u"Omschrijving1"},
      {u"omschrijving-2", u"Omschrijving2"}, {u"inkoopprijs", u"Inkoopprijs"}, {u"prijs per", u"PrijsPer"},
      {u"verpakking", u"Verpakking"}, {u"art. eenheid", u"Eenheid"}, {u"verkoopprijs-1", u"Verkoopprijs1"},
      {u"verkoopprijs-2", u"Verkoopprijs2"}, {u"verkoopprijs-3", u"Verkoopprijs3"},
      {u"artikelgroep", u"Artikelgroep"}, {u"artnr. leverancier", u"LevArtikelnummer"},
      {u"leverancier", u"Leveranciersnummer1"}, {u"lev.nummer", u"Leveranciersnummer2"},
      {u"omzetrekening", u"Grootboeknummer"}, {u"btw", u"BTWCode"}}},
    {{u"frmorderoverzicht"},
     {{u"relatienr.", u"RelNr"}, {u"naam", u"Naam"}, {u"ordernummer", u"OrderNr"}, {u"orderdatum", u"OrderDatum"},
      {u"artikelnr.", u"Artnr"}, {u"omschrijving", u"Omschrijving"}, {u"aantal", u"Aantal"},
      {u"verkoopprijs", u"Verkoopprijs"}, {u"korting-%", u"KortingPercentage"}, {u"btw-code", u"BTWCode"}}},
    {{u"frmordervrijgeven"},
     {{u"magazijnbon", u"Magazijnbon"}, {u"ordernummer", u"Ordergegevens.OrderNr"},
      {u"orderdatum", u"OrderDatum"}, {u"relatienummer", u"Ordergegevens.RelNr"},
      {u"bedrijfsnaam", u"Bedrijfsnaam1"}, {u"adres", u"BedrijfsAdres"}, {u"woonplaats", u"BedrijfsWoonplaats"}}},
    {{u"frmvvkorders"}, {{u"ordernummer", u"Ordernr"}, {u"relatienr.", u"RelatieNr"}, {u"artikelnr.", u"ArtikelNr"}}},
    {{u"frmartikelenontvangen"},
     {{u"bestelnr.", u"Bestelnummer"}, {u"datum", u"Datum"}, {u"lev. nr.", u"RelNr"}, {u"naam", u"Naam"},
      {u"art.nr.", u"ArtikelNr"}, {u"omschrijving", u"Omschrijving"}, {u"besteld", u"Besteld"},
      {u"inkoopprijs", u"Inkoopprijs"}, {u"ontvangen", u"Ontvangen"}, {u"resteert", u"Resteert"},
      {u"status", u"Status"}}},
    {{u"frmrelaties"},
     {{u"relatienr.", u"RelNr"}, {u"bedrijfsnaam", u"Bedrijfsnaam1"}, {u"postcode", u"BedrijfsPostcode"},
      {u"woonplaats", u"BedrijfsWoonplaats"}}},
    {{u"frmbgaoverleden", u"frmbgaoverzichthistorie", u"frmbgahistorie"}, overledenKolommen},
    {{u"frmbgagrafeigenaar"}, {overledenKolommen.begin() + 1, overledenKolommen.end()}},
    {{u"frmbgagravenbestand"},
     {{u"Graflocatie", u"Graflocatie"}, {u"Begraafplaats", u"Begraafplaats"}, {u"Status graf", u"StatusGraf"},
      {u"Grafsoort", u"Grafsoort"}, {u"Relatienr.", u"Relnr"}, {u"Naam", u"Naam"}, {u"Woonplaats", u"Woonplaats"}}},
    {{u"frmafleveradres"},
     {{u"ID", u"DouaneKantoren.id"}, {u"Land", u"Land"}, {u"Werelddeel", u"WereldDeel"},
      {u"Douane naam", u"DouaneKantoren.Naam"}, {u"PD Keuring", u"PDKeuring"}, {u"PD Cert.", u"PDCert"},
      {u"KCB Cert.", u"KCBCert"}, {u"Omschrijving", u"DouaneKantoren.Omschrijving"},
      {u"Bijzonderheden", u"Bijzonderheden"}}},
    {{u"frmautogegevens"},
     {{u"Intern.", u"InternNr"}, {u"Kenteken", u"Kenteken"}, {u"Merk", u"Merk"}, {u"Type", u"Type"},
      {u"Chassisnummer", u"ChassisNr"}, {u"Bouwjaar", u"BouwJaar"}, {u"Verzekering", u"Verzekering"},
      {u"Polisnr.", u"PolisNr"}},
     u"Geselecteerd overzicht: "},
    {{u"frmmedewerkers"},
     {{u"Intern.", u"PersoneelsNr"}, {u"Voorletters", u"Voorletters"}, {u"Achternaam", u"Achternaam"},
      {u"Geslacht", u"Geslacht"}, {u"Geboortedatum", u"GebDatum"}},
     u"Geselecteerd overzicht: "},
};

template <class Entry>
const Entry *zoekOp(const std::vector<Entry> &entries, QStringView soort)
{
    for (const Entry &e : entries)
        for (QStringView s : e.soorten)
            if (soort.compare(s, Qt::CaseInsensitive) == 0)
                return &e;
    return nullptr;
}

} // namespace

SelectieKind selectieKind(QStringView soort)
{
    return {zoekOp(bouwers, soort.trimmed()), zoekOp(lijsten, soort.trimmed())};
}

const std::vector<SelectieBouwer> &selectieBouwers() { return bouwers; }
const std::vector<SelectieLijst> &selectieLijsten() { return lijsten; }

} // namespace kv

#include "editing/codetables/catalog.h"

#include <iterator>

namespace kv::codetables {
namespace {

// Captions and examples keep their trailing blanks.
const CodeTable kCodeTables[] = {
    // key                          caption                                                                example
    {u"tabelwagencategorie",        u"Wagencategorie:",                                                     u"Categorie A, Categorie B, Binnenland, Buitenland, Groot, Klein"},
    {u"tabeltransportcategorie",    u"Transportcategorie:",                                                 u"Categorie A, Categorie B, Stro, Hooi, Mest, Verpakt, Onverpakt"},
    {u"tabelloods",                 u"Loods:",                                                              u"Loods A, Loods B, Loods 1, Loods 2 etc."},
    {u"tabelbaalsoort",             u"Baalsoorten:",                                                        u"45x40x100 cm, 70x120x240 cm, 90x120x240 cm"},
    {u"tabelfgvdmopmerkingen",      u"Mest - VDM - Opmerkingscodes - ( alleen wijzigen op instructie ) ",   u"Tabel 5b"},
    {u"tabelkeuringscode",          u"Keuringscode:",                                                       u"Bij contracten, keuringscode, voorbeeld: N.A.K. Klasse A, N.A.K. KLASSE E 28/35, etc."},
    {u"tabelkwaliteit",             u"Kwaliteit:",                                                          u"Bij contracten, kwaliteitskenmerk, voorbeeld: Industrie, rood, geel, groot, klein etc."},
    {u"tabelsoort",                 u"Soort - Type - Kleur:",                                               u"Bij contracten, extra registratiemogelijkheid, voorbeeld: rood, geel, groot, klein etc."},
    {u"tabelbewaren",               u"Bewaarmethoden:",                                                     u"Hoe moet het product worden bewaard, voorbeeld: Luchtgekoeld, mechanisch etc."},
    {u"tabelmonster",               u"Monstername:",                                                        u"Waar wordt een monster genomen, voorbeeld: Op bedrijf verkoper, Op bedrijf koper etc."},
    {u"tabelweegcode",              u"Weegbrug conditie:",                                                  u"Voorbeeld: Weegloon voor rekening koper, Weegloon aftrekken van afrekening, Niet van toepassing etc."},
    {u"tabelbgagraftypen",          u"Graftypen",                                                           u"Voorbeeld: standaard, kindgraf, familiegraf etc."},
    {u"tabelbgagrafzijden",         u"Grafzijden",                                                          u"Voorbeeld: noord, zuid, west, oost etc."},
    {u"tabelbgaklasseaanduiding",   u"Klasseaanduiding graf",                                               u"Voorbeeld: standaard, zand, gemetseld, etc."},
    {u"tabelbgamonument",           u"Monument",                                                            u"Voorbeeld: steen, natuursteen, hart, kind etc."},
    {u"tabelbgakerkgezindte",       u"Kerkgenootschap",                                                     u"Voorbeeld: geen, protestants, rooms-katholiek, hervormd etc."},
    {u"tabelbgarelatie",            u"Gezinsrelatie",                                                       u"Voorbeeld: echtgenoot, echtgenote, partner, kind, inwonend persoon etc."},
    {u"tabelbgaburgstaat",          u"Burgerlijke staat",                                                   u"Voorbeeld: gehuwd, ongehuwd, gescheiden, weduwe, weduwnaar, gereg. partner, samenwonend etc."},
    {u"tabelbgaasbestemming",       u"Asbestemming",                                                        u"Voorbeeld: urn, strooiveld, urnenmuur, kunstwerk, etc."},
    {u"tabelbgabegraafplaatsen",    u"Begraafplaatsen",                                                     u"Namen van de gebruikte begraafplaatsen, bijvoorbeeld: Grebbeberg, Zorgvlied etc."},
    {u"tabelsluitregel",            u"Relatie / sluitregels",                                               u"Relatie specifieke sluitregels op facturen"},
    {u"tabelleveringsvoorwaarden",  u"Leveringsvoorwaarden",                                                u"Leveringsvoorwaarden bij contracten"},
    {u"tabeljpteksten",             u"Journaalpost teksten",                                                u"Standaard, veel gebruikte omschrijvingen, om meteen te kunnen selecteren, bijvoorbeeld: Periodieke boeking, Inkoop goederen etc."},
    {u"tabelmedewerkers",           u"Medewerkers - (binnen het programma)",                                u"Wordt o.a. gebruikt om aan te geven wie een bepaalde order heeft aangemaakt, bijvoorbeeld: R. de Dedov, J. de Rida, Zeridi Zudide, etc."},
    {u"tabelproductlijn",           u"Artikel productlijnen",                                               u"Primaire hoofdgroepen van bij elkaar horende artikelen (niet verplicht), bijvoorbeeld: Dranken, Bulkgoederen etc."},
    {u"tabeltitulatuurvoor",        u"Titulatuur - voor de naam",                                           u"Voorbeeld: Prof. dr., Dr. Mr., Drs., Ing. "},
    {u"tabelwebportaalgroep",       u"Webshop - Groep waarin producten beschikbaar komen",                  u"Voorbeeld: Fris, Koffie, Plastic, Bulk, Vloeibaar"},
    {u"tabeltitulatuurachter",      u"Titulatuur - achter de naam",                                         u"Voorbeeld: Bach., Bch, LLM, Ma, Mba, Ms, Msc, PHD, QC, RA, RC, RI"},
    {u"tabelprijsgroepcode",        u"Relatie / Prijsgroep - (maximaal 10)",                                u"Een relatie specifieke prijsgroep op basis waarvan de basis verkoopprijs wordt bepaald, bijvoorbeeld: Consumentenprijs, Dealerprijs, Dochter, Export, Loonwerkers etc."},
    {u"tabelkortingscode",          u"Relatie / Basis kortingspercentage",                                  u"Een standaard (aanpasbaar) en relatie specifiek basis-kortingspercentage op producten, bijvoorbeeld: 1,00, 1,20, 2,00"},
    {u"tabelbonuskorting",          u"Bonuskortingen",                                                      u"Een standaard (aanpasbaar) en relatie specifiek bonus(bedrag) als korting op de verkoopprijs, wordt gebruikt bij o.a. bulkgoederen, bijvoorbeeld: 0,10, 0,25, 0,50, 1,00"},
    {u"tabelfactuurgroepen",        u"Factuurgroepen",                                                      u"Per relatie en orderspecifiek kan een factuurgroep ingesteld worden, bijvoorbeeld: normaal, wekelijks factureren, maandelijks factureren etc."},
    {u"tabelfactuursoorten",        u"Factuursoorten",                                                      u"Per relatie en orderspecifiek kan een factuursoort ingesteld worden, bijvoorbeeld: normaal, digitaal (per e-mail), handellayout etc."},
    {u"tabelfgartikelsoort",        u"Artikelsoorten",                                                      u"Wordt gebruikt bij bulkkortingen en/of (voorkoop)contracten, bijvoorbeeld: bulk / losgestort, bigbags, zakgoed, kunstmest, soja, raap, tarwe, maismeel etc."},
    {u"tabeladelcode",              u"Adelijke titel/predikaat",                                            u"Voorbeeld: Baron, Barones, Graaf, Gravin, Hertog, Hertogin, Markies, Markiezin, Prins, Prinses, Ridder, Jonkheer, Jonkvrouw"},
    {u"tabelaanschrijfvorm",        u"Aanschrijfvormen",                                                    u"Voorbeeld: De heer, Dhr., Mevrouw, Mevr., Zijne Excellentie, Hooggeachte etc."},
    {u"tabelfuncties",              u"Functies binnen organisatie",                                         u"Voorbeeld: directeur, inkoper, commercieel etc."},
    {u"tabelaanmaancode",           u"Aanmaningen",                                                         u"Voorbeeld: regulier, niet aanmanen etc."},
    {u"tabelbrandstof",             u"Brandstof",                                                           u"Voorbeeld: benzine, diesel, gas, elektrisch, waterstof etc."},
    {u"tabelbetaalwijzen",          u"Betaalwijzen",                                                        u"Voorbeeld: automatische incasso, per bank, contant etc."},
    {u"tabelbetalingscondities",    u"Betalingscondities",                                                  u"Voorbeeld: 14 dagen na factuurdatum, netto contant, via automatische incasso, 50% vooraf - 50% binnen 7 dagen na levering etc."},
    {u"tabelverzekering",           u"Verzekeringen",                                                       u"Voorbeeld: WA, WA+ bepert, WA+ volledig, OVI, SVI etc."},
    {u"tabelartikelgroepen",        u"Artikelgroepen",                                                      u"Artikelen binnen een productlijn die bij elkaar horen, bijvoorbeeld: Wasmiddelen, Horeca, Verhuur, Meststoffen etc."},
    {u"tabelorderfase",             u"Orderfase",                                                           {}},
    {u"tabelsoortlading",           u"Restricties",                                                         u"Voorbeeld: auto met kraan nodig, kleine wagen gebruiken, auto met kooiaap meenemen etc."},
    {u"tabelkostenplaatsen",        u"Kostenplaatsen",                                                      u"Voorbeeld: directie, algemeen, werkplaats, gebouw X, wijk Y, etc."},
    {u"tabelvertcode",              u"Vertegenwoordigers / agenten",                                        {}},
    {u"tabelrayoncode",             u"Rayon / gebied",                                                      u"Voorbeeld: friesland, groningen, drenthe, noord, zuid, europa, amerika etc."},
    {u"tabelrelatiegroepen",        u"Relatiegroepen",                                                      u"Voorbeeld: dealernetwerk, tussenhandel, consument, gastspreker etc."},
    {u"tabelmailcode",              u"Mailinggroepen",                                                      {}},
    {u"tabelverzendcode",           u"Verzendwijzen",                                                       u"Voorbeeld: gratis, franco, rembours, transporteur A, transporteur B etc."},
    {u"tabellint",                  u"Linten",                                                              {}},
    {u"tabelvoorvoegsels",          u"Voorvoegsels",                                                        u"Voor automatische bepaling kleine- en hoofdletters bij ondersteunde naamvelden."},
    {u"tabelafleververpakking",     u"Verpakkingseenheid per artikel",                                      u"Voorbeeld: dozen, kratten, vat, containers, pallets, bigbags, zakken etc."},
    {u"tabelartikeleenheid",        u"Eenheid per artikel",                                                 u"Voorbeeld: stuks, kg, ton, uren, liters etc."},
    {u"tabelfggraasdieren",         u"Graasdieren - ( alleen wijzigen op instructie ) ",                    {}},
    {u"tabelfgstaldieren",          u"Staldieren - ( alleen wijzigen op instructie ) ",                     {}},
    {u"tabelfgrundvee",             u"Rundveegroepen - ( alleen wijzigen op instructie ) ",                 {}},
    {u"tabelcategorieedi",          u"EDI Circle Categorie - ( alleen wijzigen op instructie ) ",           u"Voorgeschreven waarden vanuit EDI Circle"},
    {u"tabelras",                   u"Rassen - Gewas",                                                      u"Voorbeeld: Gerst: Columbus, Tarwe: Quintus, Tarwe: Tybalt, Ui: Centro, Ui: Hyskin, Ui: Hytech, Ui: Paradiso etc."},
    {u"tabellocatie",               u"Locatie:",                                                            u"Voorbeeld: Droog uit de schuur, afland etc."},
    {u"tabelartikelsubgroep",       u"Artikel subgroepen",                                                  {}},
    {u"tabelfgdiergroepen",         u"Diergroepen - ( alleen wijzigen op instructie ) ",                    {}},
    {u"tabelpalletlabel",           u"Pallet labels",                                                       {}},
    {u"tabelfgmineraalgegevens",    u"Mineralen - ( alleen wijzigen op instructie ) ",                      {}},
};

// Most tables show 99 entries; these differ.
struct Slots {
    QStringView key;
    int count;
};
const Slots kSlotCounts[] = {
    {u"tabelprijsgroepcode", 10},
    {u"tabelpalletlabel", 200},
    {u"tabelkostenplaatsen", 200},
};
constexpr int kDefaultSlots = 99;

} // namespace

std::span<const CodeTable> codeTables()
{
    return kCodeTables;
}

CodeTable codeTableFor(QStringView table)
{
    for (const CodeTable &t : kCodeTables)
        if (t.key.compare(table, Qt::CaseInsensitive) == 0)
            return t;
    return {table, table, {}};
}

int slotCount(QStringView table)
{
    for (const Slots &s : kSlotCounts)
        if (s.key.compare(table, Qt::CaseInsensitive) == 0)
            return s.count;
    return kDefaultSlots;
}

bool holdsAmounts(QStringView table)
{
    return table.compare(u"tabelkortingscode", Qt::CaseInsensitive) == 0
        || table.compare(u"tabelbonuskorting", Qt::CaseInsensitive) == 0;
}

} // namespace kv::codetables

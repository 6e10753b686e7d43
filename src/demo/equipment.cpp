#include "demo/steps.h"

namespace kv::demo {
namespace {

// The first article whose description starts with `prefix`; empty when there is none.
QString articleLike(const Generator &gen, const char *prefix)
{
    for (const ArticleRef &a : gen.articles)
        if (a.description.startsWith(QLatin1String(prefix)))
            return a.nr;
    return {};
}

QString supplierAt(const Generator &gen, size_t i)
{
    const std::vector<const RelationRef *> suppliers = gen.suppliers();
    return suppliers.empty() ? QString() : suppliers[i % suppliers.size()]->relNr;
}

void writeBoats(Generator &gen)
{
    const struct {
        const char *name, *callsign, *owner, *site;
        int imo, mmsi;
    } boats[] = {{"Willem Barendsz", "PCJW", "Rederij Noordkade", "www.noordkade.nl", 9123456, 244650123},
                 {"Johanna Maria", "PDKL", "Binnenvaart Vechtdal", "", 0, 244010456},
                 {"Nooit Gedacht", "PB4512", "Schipperij Kampen", "", 0, 244700789}};
    Rows rows(gen.main, QStringLiteral("Boten"));
    gen.inBatches(gen.main, std::size(boats), [&](qint64 i) {
        const auto &b = boats[i];
        rows.add().set(u"Bootnaam", QString::fromLatin1(b.name)).set(u"Callsign", QString::fromLatin1(b.callsign))
            .set(u"Rederij", QString::fromLatin1(b.owner)).set(u"Website", QString::fromLatin1(b.site))
            .set(u"IMO", b.imo).set(u"MMSI", b.mmsi).post();
    });
}

void writeContainers(Generator &gen)
{
    const QString rent = articleLike(gen, "Opslag");
    Rows rows(gen.main, QStringLiteral("Containers"));
    gen.inBatches(gen.main, 6, [&](qint64 i) {
        const int volume = i < 3 ? 20 : 40;
        rows.add().set(u"Nummer", int(101 + i)).set(u"Omschrijving", QStringLiteral("Afzetcontainer %1 m3").arg(volume))
            .set(u"Inhoud", volume).set(u"ArtNrHuur", rent).set(u"Abonnement", i % 2 == 0).post();
    });
}

void writeBunkers(Generator &gen)
{
    // Sheds are CodeNr of TabelLoods (1 Loods A, 2 Loods B, 3 Loods 1); 0 stands outside.
    const struct {
        const char *name, *extra, *type, *status;
        int shed;
        const char *lot;
    } bunkers[] = {{"Silo 1", "Tarwe", "Silo", "Gevuld", 1, "Tarwe oogst"}, {"Silo 2", "Gerst", "Silo", "Leeg", 1, ""},
                   {"Silo 3", "Mais", "Silo", "In gebruik", 2, "Korrelmais"}, {"Bunker A", "Pootgoed", "Bunker", "Gevuld", 3, "Agria kl. E"},
                   {"Bunker B", "Consumptie", "Bunker", "Leeg", 3, ""}, {"Aanvoerlijn 1", "Stortput", "Aanvoerlijn", "In gebruik", 2, "Korrelmais"},
                   {"Silo 4", "Haver", "Silo", "Gevuld", 1, "Haver"}, {"Bunker C", "Consumptie", "Bunker", "Gevuld", 3, "Fontane kl. A"},
                   {"Buitenbunker", "Kuilplaat", "Bunker", "Gevuld", 0, "Suikerbieten"},
                   {"Aanvoerlijn 2", "Laadperron", "Aanvoerlijn", "Buiten gebruik", 0, ""}};
    Rows rows(gen.main, QStringLiteral("Bunkers"));
    gen.inBatches(gen.main, std::size(bunkers), [&](qint64 i) {
        const auto &b = bunkers[i];
        const bool filled = *b.lot != 0;
        const QString when = dateText(QDate(gen.year, 8, int(i) + 1)) + u"073000";
        rows.add().set(u"BunkerNaam", QString::fromLatin1(b.name)).set(u"BunkerExtraOmschrijving", QString::fromLatin1(b.extra))
            .set(u"BunkerType", QString::fromLatin1(b.type)).set(u"BunkerStatus", QString::fromLatin1(b.status))
            .set(u"BunkerLoods", b.shed ? QVariant(b.shed) : QVariant())
            .set(u"BunkerHuidigePartijNaam", filled ? QStringLiteral("%1 %2").arg(QLatin1String(b.lot)).arg(gen.year) : QString())
            .set(u"InkoopNr", filled ? zeroFilled(i + 1, 8) : QString())
            .set(u"DateTimeGevuld", filled ? when : QString()).set(u"DateTimeStart", filled ? when : QString())
            .set(u"DateTimeStop", QString()).set(u"LosSnelheid", 60.0 + 20 * double(i % 3)).post();
    });
}

void writeDrying(Generator &gen)
{
    const QString drying = articleLike(gen, "Drogen graan"), transport = articleLike(gen, "Transport"),
                  weighing = articleLike(gen, "Weegloon"), cleaning = articleLike(gen, "Schonen");
    const char *const tables[] = {"Drogen tarwe en gerst", "Drogen korrelmais"};
    const char *const crops[][2] = {{"Wintertarwe", "Zomergerst"}, {"Korrelmais", "Haver"}};
    Rows rows(gen.main, QStringLiteral("Droogtabel"));
    Rows details(gen.main, QStringLiteral("DroogtabelDetails"));
    gen.inBatches(gen.main, std::size(tables), [&](qint64 i) {
        rows.add().set(u"Omschrijving", QString::fromLatin1(tables[i]))
            .set(u"Weegtarief", 12.5).set(u"Weegkosten", 0).set(u"Vrachttarief", 4.5).set(u"Vrachtkosten", 0)
            .set(u"Schoontarief", 3.0).set(u"Schoonkosten", 0).set(u"Droogkosten", i == 0 ? 3.25 : 4.1)
            .set(u"AlgemeneKosten", 25).set(u"VanTmBedrag", 0)
            .set(u"AlgemeenArtNr", cleaning).set(u"DroogArtNr", drying).set(u"VrachtArtNr", transport)
            .set(u"HLArtNr", QString()).set(u"WeegArtNr", weighing).set(u"TarraArtNr", QString())
            .set(u"HLGewicht", i == 0 ? 76.0 : 72.0).set(u"Methode", int(i)).set(u"MethodeGewichtsverlies", 1)
            .set(u"DroogverliesVoorraad", true).set(u"DroogverliesFactuur", i == 0).post();
        for (const char *crop : crops[i])
            details.add().set(u"DroogtabelID", int(i + 1)).set(u"ArtikelNummer", articleLike(gen, crop)).post();
    });
}

void writePackingUnits(Generator &gen)
{
    const struct {
        const char *type, *description, *material;
        double length, width, height, weight, loadMeter;
    } units[] = {{"EUR", "Europallet", "Hout", 120, 80, 14.4, 25, 0.4},
                 {"BLK", "Blokpallet", "Hout", 120, 100, 15, 30, 0.5},
                 {"BB", "Bigbag met losklep", "Polypropyleen", 90, 90, 120, 2.5, 0.35},
                 {"KST", "Aardappelkist", "Hout", 180, 120, 120, 95, 0.75},
                 {"IBC", "IBC-container 1000 l", "Kunststof/staal", 120, 100, 116, 58, 0.5}};
    Rows rows(gen.main, QStringLiteral("ColliTabel"));
    gen.inBatches(gen.main, std::size(units), [&](qint64 i) {
        const auto &u = units[i];
        rows.add().set(u"CodeNr", int(i + 1)).set(u"Type", QString::fromLatin1(u.type)).set(u"TypeNummer", int(i + 1))
            .set(u"Omschrijving", QString::fromLatin1(u.description)).set(u"ExternOmschrijving", QString::fromLatin1(u.description))
            .set(u"Materiaal", QString::fromLatin1(u.material)).set(u"Uitvoering", QStringLiteral("Standaard"))
            .set(u"Eenheid", QStringLiteral("stuks")).set(u"Lengte", u.length).set(u"Breedte", u.width)
            .set(u"Hoogte", u.height).set(u"Laadmeter", u.loadMeter).set(u"Gewicht", u.weight)
            .set(u"MateriaalGewicht", u.weight).set(u"Multiplier", 1.0).set(u"PrijsBerekening", 0)
            .set(u"IsGewichtEenheid", false).set(u"ExplicietGewicht", false).set(u"AantalInStuksAfboeken", true).post();
    });
}

void writeShipping(Generator &gen)
{
    const char *const methods[] = {"Af loods", "Franco", "Eigen vervoer", "Transporteur A", "Transporteur B", "Afhalen door klant"};
    Rows rows(gen.main, QStringLiteral("VerzendwijzeRelaties"));
    gen.inBatches(gen.main, std::size(methods), [&](qint64 i) {
        const bool carrier = i == 3 || i == 4;
        rows.add().set(u"CodeNr", int(i + 1)).set(u"Omschrijving", QString::fromLatin1(methods[i]))
            .set(u"TransporteurRelNr", carrier ? supplierAt(gen, size_t(i)) : QString())
            .set(u"LaadAdresRelNr", QString()).set(u"DerdeRelNr", QString())
            .amount(u"VerzendBedrag", i == 1 ? 4500 : carrier ? 7500 : 0).post();
    });
}

void writeTare(Generator &gen)
{
    const char *const rules[][2] = {{"Standaard tarra pootgoed", "STD"}, {"Tarra zand en kluit", "ZND"}, {"Tarra consumptie", "CON"}};
    Rows rows(gen.main, QStringLiteral("TarraVoorwaarden"));
    gen.inBatches(gen.main, std::size(rules), [&](qint64 i) {
        rows.add().set(u"CodeNr", int(i + 1)).set(u"CommissionairNr", supplierAt(gen, size_t(i) + 3))
            .set(u"Omschrijving", QString::fromLatin1(rules[i][0])).set(u"Afkorting", QString::fromLatin1(rules[i][1]))
            .set(u"Limiet0", 2.0)
            .set(u"Limiet1", 4.0).set(u"Limiet1Bepaling", 0).set(u"Limiet1Korting", 1.0)
            .set(u"Limiet1KortingPerAantalKg", 0.0).set(u"Limiet1KortingPerAantalProcent", 1.0)
            .set(u"Limiet2", 6.0).set(u"Limiet2Bepaling", 0).set(u"Limiet2Korting", 2.0)
            .set(u"Limiet2KortingPerAantalKg", 0.0).set(u"Limiet2KortingPerAantalProcent", 1.0)
            .set(u"Limiet3", 10.0).set(u"Limiet3Bepaling", 1).set(u"Limiet3Korting", 5.0)
            .set(u"Limiet3KortingPerAantalKg", 1000.0).post();
    });
}

void writeStorageFees(Generator &gen)
{
    const QString storage = articleLike(gen, "Opslag");
    const char *const fees[] = {"Opslag graan per maand", "Opslag pootgoed in koelcel", "Opslag consumptieaardappelen"};
    Rows rows(gen.main, QStringLiteral("Bewaarloon"));
    gen.inBatches(gen.main, std::size(fees), [&](qint64 i) {
        rows.add().set(u"CodeNr", int(i + 1)).set(u"Omschrijving", QString::fromLatin1(fees[i])).set(u"ArtNr", storage)
            .set(u"Periode", 1).set(u"MaxPeriode", 10).set(u"RekenMethode", int(i % 2)).set(u"AparteFactuur", i == 1)
            .set(u"ArtikelPrijs", 1.45 + 0.4 * double(i)).set(u"VerkoopPrijs", 1.85 + 0.5 * double(i)).post();
    });
}

// Reference moisture and hectolitre weight per crop, as the weighbridge settles deliveries
// against them.
void writeArticleKinds(Generator &gen)
{
    const struct {
        const char *name;
        double moisture, hectolitre;
    } kinds[] = {{"Wintertarwe", 15.0, 76.0}, {"Zomergerst", 15.0, 64.0}, {"Korrelmais", 14.5, 71.0}, {"Haver", 14.0, 48.0}};
    Rows rows(gen.main, QStringLiteral("ArtikelSoortArtikelNr"));
    gen.inBatches(gen.main, std::size(kinds), [&](qint64 i) {
        rows.add().set(u"Omschrijving", QString::fromLatin1(kinds[i].name)).set(u"RefVocht", kinds[i].moisture)
            .set(u"RefHL", kinds[i].hectolitre).set(u"ArtikelNummer", articleLike(gen, kinds[i].name)).post();
    });
}

} // namespace

void writeEquipment(Generator &gen)
{
    writeBoats(gen);
    writeContainers(gen);
    writeBunkers(gen);
    writeDrying(gen);
    writePackingUnits(gen);
    writeShipping(gen);
    writeTare(gen);
    writeStorageFees(gen);
    writeArticleKinds(gen);
}

} // namespace kv::demo

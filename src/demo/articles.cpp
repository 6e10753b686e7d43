#include "demo/steps.h"

#include <algorithm>

namespace kv::demo {
namespace {

// Keys of the code tables the articles refer to (their order in data/codetabellen.txt).
enum Unit { Kg = 1, Ton, Stuks, Liter, Zak, Bigbag, Uur, Km };
enum Packing { Los = 1, Bigbag1000, Zak25, Zak50, Kist, Pallet, Container, Ibc };

struct Kind {
    int group; // TabelArtikelgroepen
    const char *name;
    std::vector<const char *> varieties;
    std::vector<int> packings;
    int unit;
    double price;              // per unit, before the variety's spread
    int minQuantity, maxQuantity;
    int vatCode;
    const char *revenueAccount, *purchaseAccount;
};

const std::vector<Kind> &kinds()
{
    static const std::vector<Kind> list = {
        {1, "Wintertarwe", {"Bennington", "KWS Talent", "Julius", "Rockefeller", "Chevignon"}, {Los, Bigbag1000}, Ton, 215, 5, 60, 2, "8000", "7000"},
        {1, "Zomergerst", {"Planet", "KWS Irina", "Laureate"}, {Los, Bigbag1000}, Ton, 195, 5, 40, 2, "8000", "7000"},
        {1, "Korrelmais", {"LG 30.215", "Ambition", "Farmfire"}, {Los}, Ton, 210, 10, 60, 2, "8000", "7000"},
        {1, "Haver", {"Symphony", "Dalguise"}, {Los, Zak25}, Ton, 230, 2, 20, 2, "8000", "7000"},
        {2, "Pootaardappelen", {"Agria 35/45 kl. E", "Fontane 28/35 kl. A", "Innovator 35/50 kl. SE", "Festien 35/45 kl. A",
                               "Markies 28/35 kl. E", "Spunta 35/55 kl. A", "Challenger 35/45 kl. E"}, {Kist, Bigbag1000}, Ton, 640, 2, 25, 2, "8010", "7010"},
        {3, "Consumptieaardappelen", {"Fontane", "Innovator", "Agria", "Challenger"}, {Los, Kist}, Ton, 180, 10, 30, 2, "8010", "7010"},
        {4, "Zaaimais", {"LG 31.211", "Amavit", "Benedictio"}, {Zak25}, Zak, 98, 5, 60, 2, "8020", "7020"},
        {4, "Graszaad", {"Blijvend grasland", "Maaimengsel", "Italiaans raaigras"}, {Zak25}, Zak, 135, 2, 40, 2, "8020", "7020"},
        {4, "Zaaitarwe", {"Bennington", "KWS Talent", "Julius"}, {Bigbag1000, Zak50}, Ton, 520, 1, 8, 2, "8020", "7020"},
        {5, "Kalkammonsalpeter 27% N", {"gegranuleerd"}, {Bigbag1000, Los}, Ton, 365, 5, 40, 6, "8030", "7030"},
        {5, "NPK 12-10-18", {"gegranuleerd"}, {Bigbag1000, Zak50}, Ton, 495, 2, 20, 6, "8030", "7030"},
        {5, "Kali 60", {"korrel"}, {Bigbag1000}, Ton, 420, 2, 15, 6, "8030", "7030"},
        {5, "Tripelsuperfosfaat 45%", {"korrel"}, {Bigbag1000}, Ton, 610, 1, 10, 6, "8030", "7030"},
        {5, "Ureum 46% N", {"prills"}, {Bigbag1000, Los}, Ton, 540, 2, 25, 6, "8030", "7030"},
        {6, "Rundveedrijfmest", {"aangevoerd"}, {Los}, Ton, 6, 20, 300, 6, "8030", "7030"},
        {6, "Champost", {"vers"}, {Los}, Ton, 12, 10, 120, 6, "8030", "7030"},
        {7, "Melkveebrok", {"standaard", "eiwitrijk", "energierijk"}, {Los, Bigbag1000}, Ton, 395, 5, 30, 2, "8040", "7040"},
        {7, "Jongveebrok", {"standaard", "opfok"}, {Los, Zak25}, Ton, 410, 2, 15, 2, "8040", "7040"},
        {7, "Vleesvarkensvoer", {"start", "groei", "afmest"}, {Los}, Ton, 335, 10, 40, 2, "8040", "7040"},
        {7, "Sojaschroot", {"HP 48%", "standaard"}, {Los, Bigbag1000}, Ton, 480, 5, 30, 2, "8040", "7040"},
        {7, "Bierbostel", {"vers"}, {Los}, Ton, 45, 10, 40, 2, "8040", "7040"},
        {7, "Perspulp", {"ingekuild"}, {Los}, Ton, 38, 20, 60, 2, "8040", "7040"},
        {8, "Diesel", {"EN 590"}, {Los}, Liter, 1.48, 500, 8000, 6, "8050", "7050"},
        {8, "AdBlue", {"bulk", "can 10 liter"}, {Los, Ibc}, Liter, 0.52, 200, 2000, 6, "8050", "7050"},
        {8, "Smeerolie 15W-40", {"vat 208 liter", "can 20 liter"}, {Pallet}, Liter, 4.35, 20, 416, 6, "8050", "7050"},
        {9, "Onkruidbestrijder", {"prosulfocarb 800 g/l", "metribuzin 700 g/kg", "pendimethalin 400 g/l"}, {Pallet}, Liter, 24.5, 5, 100, 6, "8060", "7060"},
        {9, "Schimmelbestrijder", {"fluazinam 500 g/l", "mancozeb 750 g/kg"}, {Pallet}, Liter, 31.0, 5, 80, 6, "8060", "7060"},
        {10, "Drogen graan", {"per ton per procent vocht"}, {Los}, Ton, 3.25, 20, 200, 6, "8100", "7100"},
        {10, "Opslag", {"per ton per maand"}, {Los}, Ton, 1.85, 20, 400, 6, "8100", "7100"},
        {10, "Transport", {"per km", "per rit binnen 25 km"}, {Los}, Km, 1.95, 20, 400, 6, "8110", "7100"},
        {10, "Weegloon", {"per weging"}, {Los}, Stuks, 12.5, 1, 6, 6, "8120", "7100"},
        {10, "Schonen en sorteren", {"pootgoed", "graan"}, {Los}, Ton, 18.0, 5, 60, 6, "8100", "7100"},
    };
    return list;
}

const char *packingName(int packing)
{
    switch (packing) {
    case Los: return "los gestort";
    case Bigbag1000: return "in bigbag 1000 kg";
    case Zak25: return "in zakken 25 kg";
    case Zak50: return "in zakken 50 kg";
    case Kist: return "in kisten";
    case Pallet: return "op pallet";
    case Container: return "in container";
    case Ibc: return "in IBC";
    }
    return "";
}

struct Combination {
    const Kind *kind;
    const char *variety;
    int packing;
};

std::vector<Combination> combinations(QRandomGenerator &random)
{
    std::vector<Combination> all;
    for (const Kind &kind : kinds())
        for (const char *variety : kind.varieties)
            for (int packing : kind.packings)
                all.push_back({&kind, variety, packing});
    // Shuffled once, so a small range still spans every group.
    for (size_t i = all.size(); i > 1; --i)
        std::swap(all[i - 1], all[size_t(random.bounded(int(i)))]);
    return all;
}

double roundedPrice(double price)
{
    return price >= 10 ? std::round(price * 100) / 100 : std::round(price * 10000) / 10000;
}

} // namespace

// Articles run through every kind, variety and packing; beyond that the same goods come in
// further lots ("partij 2", ...), as a trader with many contracts has them.
void writeArticles(Generator &gen)
{
    QRandomGenerator random = gen.random(40);
    const std::vector<Combination> all = combinations(random);
    const std::vector<const RelationRef *> suppliers = gen.suppliers();
    gen.articles.reserve(size_t(gen.scale.articles));
    Rows rows(gen.main, QStringLiteral("Artikelen"));
    gen.inBatches(gen.main, gen.scale.articles, [&](qint64 i) {
        const Combination &c = all[size_t(i) % all.size()];
        const qint64 lot = i / qint64(all.size());
        ArticleRef a;
        a.nr = zeroFilled(i + 1, 6);
        a.description = QStringLiteral("%1 %2").arg(QString::fromUtf8(c.kind->name), QString::fromUtf8(c.variety));
        if (lot > 0)
            a.description += QStringLiteral(" partij %1").arg(lot + 1);
        a.price = roundedPrice(c.kind->price * (0.9 + random.generateDouble() * 0.2));
        a.purchasePrice = roundedPrice(a.price * (0.82 + random.generateDouble() * 0.1));
        a.vatCode = c.kind->vatCode;
        a.minQuantity = c.kind->minQuantity;
        a.maxQuantity = c.kind->maxQuantity;
        a.revenueAccount = QString::fromLatin1(c.kind->revenueAccount);
        a.purchaseAccount = QString::fromLatin1(c.kind->purchaseAccount);
        const QString supplier = suppliers.empty() ? QString() : pick(random, suppliers)->relNr;
        rows.add()
            .set(u"ArtikelNummer", a.nr)
            .set(u"Omschrijving1", a.description)
            .set(u"Omschrijving2", QString::fromLatin1(packingName(c.packing)))
            .set(u"Zoektekst", QString::fromUtf8(c.kind->name).toUpper().left(50))
            .set(u"Artikelgroep", c.kind->group)
            .set(u"Eenheid", c.kind->unit)
            .set(u"Verpakking", c.packing)
            .set(u"Inkoopprijs", a.purchasePrice)
            .set(u"Verkoopprijs1", a.price)
            .set(u"Verkoopprijs2", roundedPrice(a.price * 0.97))
            .set(u"Verkoopprijs3", roundedPrice(a.price * 0.95))
            .set(u"PrijsPer", 1)
            .set(u"BTWCode", a.vatCode)
            .set(u"InkoopRekening", a.purchaseAccount)
            .set(u"Grootboeknummer", a.revenueAccount)
            .set(u"LevArtikelnummer", supplier.isEmpty() ? QString() : QStringLiteral("L%1-%2").arg(supplier.right(4)).arg(random.bounded(10000, 99999)))
            .set(u"Leveranciersnummer1", supplier)
            .set(u"Leveranciersnummer2", QString())
            .set(u"Leveranciersnummer3", QString())
            .post();
        gen.articles.push_back(std::move(a));
    });
}

} // namespace kv::demo

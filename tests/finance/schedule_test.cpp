// The depreciation schedule against rows worked out by hand, and its invariants over many
// generated assets.
#include "finance/assets/schedule.h"

#include <QRandomGenerator>

#include <array>
#include <numeric>

#include <gtest/gtest.h>

using namespace kv::finance::assets;

namespace {

constexpr qint64 euro = 100;

// The instalments of the years `van`..`tot`, one list.
std::vector<qint64> bedragen(const Activum &a, int van, int tot, bool heleEuros = false)
{
    std::vector<qint64> uit;
    for (int jaar = van; jaar <= tot; ++jaar)
        for (const Termijn &t : termijnen(a, jaar, heleEuros))
            uit.push_back(t.bedrag);
    return uit;
}

Activum activum(qint64 aanschaf, int methode, int jaren, QDate start, int frequentie)
{
    Activum a;
    a.aanschafWaarde = aanschaf;
    a.methode = methode;
    a.looptijd = jaren;
    a.aanschaf = start;
    a.start = start;
    a.frequentie = frequentie;
    return a;
}

TEST(Schedule, RowsWorkedOutByHand)
{
    using V = std::vector<qint64>;
    // Linear, five years, yearly, from 1 July: half years at both ends.
    EXPECT_EQ(bedragen(activum(10000 * euro, 0, 5, {2024, 7, 1}, 1), 2024, 2030),
              (V{1000 * euro, 2000 * euro, 2000 * euro, 2000 * euro, 2000 * euro, 1000 * euro, 0}));
    // Sum of the years' digits, four years from 1 April: 4000, 3000, 2000, 1000 a life year.
    EXPECT_EQ(bedragen(activum(10000 * euro, 2, 4, {2024, 4, 1}, 1), 2024, 2028),
              (V{3000 * euro, 3250 * euro, 2250 * euro, 1250 * euro, 250 * euro}));
    // 25 % of the book value, residual 1000, four years: the last year takes the rest.
    Activum boekwaarde = activum(10000 * euro, 1, 4, {2024, 1, 1}, 1);
    boekwaarde.restWaarde = 1000 * euro;
    boekwaarde.percentage = 25 * kProcent;
    EXPECT_EQ(bedragen(boekwaarde, 2024, 2028), (V{2500 * euro, 1875 * euro, 140625, 321875, 0}));
    // 1000 over 36 months: the cents fall where the rounded cumulative puts them.
    const V maanden = bedragen(activum(1000 * euro, 0, 3, {2024, 1, 1}, 12), 2024, 2024);
    EXPECT_EQ(V(maanden.begin(), maanden.begin() + 3), (V{2778, 2778, 2777}));
    // The day does not count: 31 January starts in January, 1 February in February.
    EXPECT_EQ(bedragen(activum(1200 * euro, 0, 1, {2024, 1, 31}, 4), 2024, 2024), (V{300 * euro, 300 * euro, 300 * euro, 300 * euro}));
    EXPECT_EQ(bedragen(activum(1200 * euro, 0, 1, {2024, 2, 1}, 4), 2024, 2025),
              (V{200 * euro, 300 * euro, 300 * euro, 300 * euro, 100 * euro, 0, 0, 0}));
    // Whole euros: 1000/36 a month rounds to 28, 27, 28 ...; the last month ends on the total.
    const V heel = bedragen(activum(1000 * euro, 0, 3, {2024, 1, 1}, 12), 2024, 2026, true);
    EXPECT_EQ(V(heel.begin(), heel.begin() + 3), (V{28 * euro, 28 * euro, 27 * euro}));
    EXPECT_EQ(std::accumulate(heel.begin(), heel.end(), qint64(0)), 1000 * euro);
}

TEST(Schedule, ThePropertyValueFloorRisesIn2019)
{
    // 300,000 over 30 years from 2010 with a property value of 210,000: until 2018 the floor is
    // half of it, from 2019 all of it, which the book value has then reached.
    Activum pand = activum(300000 * euro, 0, 30, {2010, 1, 1}, 1);
    pand.wozBeperking = true;
    pand.wozWaarde = 210000 * euro;
    EXPECT_EQ(bedragen(pand, 2018, 2020), (std::vector<qint64>{10000 * euro, 0, 0}));
    EXPECT_EQ(termijnen(pand, 2026, false)[0].begin, 210000 * euro);
    pand.wozWaarde = 240000 * euro; // from 2019 above the book value: nothing more, never back
    EXPECT_EQ(bedragen(pand, 2018, 2019), (std::vector<qint64>{10000 * euro, 0}));
    EXPECT_EQ(termijnen(pand, 2026, false)[0].begin, 210000 * euro);
}

// Over many generated assets: no negative instalment, and over the whole life the sum is the
// basis or what the floor leaves of the purchase, whichever is less.
TEST(Schedule, InstalmentsNeverNegativeAndAddUpToTheTotal)
{
    QRandomGenerator random(2026);
    for (int i = 0; i < 2000; ++i) {
        Activum a;
        a.aanschafWaarde = random.bounded(1, 50'000'000);
        a.restWaarde = random.bounded(a.aanschafWaarde / 2 + 1);
        a.methode = random.bounded(3);
        a.looptijd = random.bounded(1, 12);
        a.percentage = random.bounded(1, 60) * kProcent + random.bounded(kProcent);
        a.frequentie = std::array{1, 4, 12}[random.bounded(3)];
        a.start = a.aanschaf = QDate(2015 + random.bounded(5), 1 + random.bounded(12), 1 + random.bounded(28));
        a.wozBeperking = random.bounded(4) == 0;
        a.wozWaarde = a.wozBeperking ? random.bounded(a.aanschafWaarde) : 0;
        const bool heleEuros = random.bounded(2) == 0;
        SCOPED_TRACE(i);
        qint64 som = 0;
        for (int jaar = 2014; jaar <= 2034; ++jaar)
            for (const Termijn &t : termijnen(a, jaar, heleEuros)) {
                ASSERT_GE(t.bedrag, 0);
                som += t.bedrag;
            }
        // Every life ends after 2019, when the floor is the whole property value; before, at half
        // of it, the book value may have gone below that (and stays there).
        const qint64 verwacht = std::max<qint64>(0, std::min(a.basisBedrag(), a.aanschafWaarde - std::max(a.restWaarde, a.wozWaarde)));
        if (a.wozBeperking) {
            EXPECT_GE(som, verwacht);
            EXPECT_LE(som, std::min(a.basisBedrag(), a.aanschafWaarde - std::max(a.restWaarde, a.wozWaarde / 2)) + 100);
        } else {
            EXPECT_EQ(som, verwacht);
        }
    }
}

TEST(Schedule, AdviceAboveTwentyPercentOrBelowTheFiscalLimit)
{
    Activum a = activum(10000 * euro, 0, 5, {2024, 1, 1}, 12); // 20 % a year: the most, no advice
    EXPECT_TRUE(adviezen(a, 450 * euro).isEmpty());
    a.looptijd = 4;
    EXPECT_EQ(adviezen(a, 0).size(), 1);
    a = activum(10000 * euro, 2, 9, {2024, 1, 1}, 12); // sum of digits: the first year 2/(n+1)
    EXPECT_TRUE(adviezen(a, 0).isEmpty());
    a.looptijd = 8;
    EXPECT_EQ(adviezen(a, 0).size(), 1);
    a = activum(400 * euro, 1, 10, {2024, 1, 1}, 12);
    a.percentage = 25 * kProcent;
    EXPECT_EQ(adviezen(a, 450 * euro).size(), 2);
}

TEST(Schedule, TheRefusalsOfThePopup)
{
    Activum a = activum(1000 * euro, 1, 0, {2024, 3, 1}, 12);
    a.restWaarde = 2000 * euro;
    a.basis = 500 * euro;
    a.start = {2024, 2, 29};
    EXPECT_EQ(bezwaren(a, false).size(), 5);
    a = activum(1000 * euro, 2, 0, {2024, 3, 1}, 12);
    EXPECT_EQ(bezwaren(a, true), QStringList{QStringLiteral("Afschrijven naar de som van de jaarnummers vraagt een looptijd.")});
    a.looptijd = 4;
    EXPECT_TRUE(bezwaren(a, true).isEmpty());
}

} // namespace

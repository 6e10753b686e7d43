#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

// The depreciation schedule of an asset: one pure function of its fields, in cents and exact
// integer ratios, so that the console, the tool and the booking programs agree to the cent.
namespace kv::finance::assets {

// An asset as the schedule reads it. Amounts in cents; the percentage in ten-thousandths of a
// percent (25,5 % is 255000).
struct Activum {
    qint64 aanschafWaarde = 0, restWaarde = 0;
    qint64 basis = 0;                  // 0: purchase - residual - reinvestment reserve
    qint64 herinvesteringsReserve = 0;
    qint64 wozWaarde = 0;
    bool wozBeperking = false;         // the book value stays at or above a share of the property value
    QDate aanschaf, start;             // the month of `start` (else of `aanschaf`) is the first, whatever the day
    int methode = 0;                   // 0 linear, 1 fixed percentage of the book value, 2 sum of the years' digits
    int looptijd = 0;                  // years
    qint64 percentage = 0;
    int frequentie = 12;               // bookings a year: 1, 4 or 12

    qint64 basisBedrag() const { return basis != 0 ? basis : aanschafWaarde - restWaarde - herinvesteringsReserve; }
};

inline constexpr qint64 kProcent = 10000; // one percent in the unit of `percentage`

// One booking period of a calendar year.
struct Termijn {
    int jaar = 0;
    int nummer = 0;        // the month (1..12), the quarter (1..4), or 1 for the year
    int perJaar = 12;      // 12, 4 or 1: what `nummer` counts
    qint64 begin = 0;      // book value at the start of the period
    qint64 bedrag = 0;     // depreciation in the period
    qint64 cumulatief = 0; // depreciation up to the end of the period
    qint64 eind() const { return begin - bedrag; }
};

// The periods of calendar year `jaar` by the asset's booking frequency. Each instalment is the
// rounded cumulative depreciation at the period's end minus that at the end of the previous
// one (half away from zero, to cents or with `heleEuros` to whole euros); once the
// depreciation is complete it stands exactly on its total.
std::vector<Termijn> termijnen(const Activum &activum, int jaar, bool heleEuros);

// The period as lists name it: 2026-03 (a month), 2026-K1 (a quarter) or 2026 (the year).
QString periodeNaam(const Termijn &termijn);

// What is worth knowing before the asset is stored, never a reason to refuse it: more than
// 20 % of the purchase written off in a year (the most the tax rules allow, 10 % for
// goodwill), or a purchase below the year's fiscal lower limit (`ondergrens`, cents; 0: none).
QStringList adviezen(const Activum &activum, qint64 ondergrens);

// Why the asset cannot be depreciated as entered, each as the popup says it; empty when it can.
// `metGroep`: whether it belongs to an existing asset group.
QStringList bezwaren(const Activum &activum, bool metGroep);

} // namespace kv::finance::assets

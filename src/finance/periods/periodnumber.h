#pragma once

#include "finance/periods/generation.h"

#include <QDate>
#include <QString>

namespace kv::finance {

// How the financial year runs, as `UserGegevens` keeps it.
struct FinancialYear {
    PeriodType type = PeriodType::Month;
    bool broken = false; // `BoekjaarGebroken`: the year starts in another month than January
    QDate start;         // `BoekjaarPeriodeStart`
};

// The number of the period a date belongs to:
// - year: 1;
// - quarter: counted in months from the start month in a broken year (31-03-2027 in a year from
//   April is 4), the calendar quarter otherwise;
// - month: the month counted from the start month in a broken year, the calendar month otherwise;
// - week: the ISO 8601 week number, weeks starting on Monday (31-12-2026 is in week 53).
int periodNumber(const QDate &date, const FinancialYear &year);

// The period type of a stored `BoekingsPeriode`; anything unknown counts as months.
PeriodType periodTypeOf(int stored);

} // namespace kv::finance

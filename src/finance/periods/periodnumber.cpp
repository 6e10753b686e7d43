#include "finance/periods/periodnumber.h"

namespace kv::finance {

namespace {

// The month of the year a date falls in, 1..12, counted from the start month of a broken year.
int monthOfYear(const QDate &date, const FinancialYear &year)
{
    if (!year.broken || !year.start.isValid())
        return date.month();
    int month = date.month() - year.start.month() + 1;
    if (month < 1)
        month += 12;
    return month;
}

} // namespace

PeriodType periodTypeOf(int stored)
{
    switch (stored) {
    case 1:
        return PeriodType::Quarter;
    case 2:
        return PeriodType::Month;
    case 3:
        return PeriodType::Week;
    default: // as the administration settings show any other value
        return PeriodType::Year;
    }
}

int periodNumber(const QDate &date, const FinancialYear &year)
{
    switch (year.type) {
    case PeriodType::Year:
        return 1;
    case PeriodType::Quarter:
        return (monthOfYear(date, year) - 1) / 3 + 1;
    case PeriodType::Month:
        return monthOfYear(date, year);
    case PeriodType::Week:
        return date.weekNumber(); // ISO 8601: Monday first, week 1 holds the year's first Thursday
    }
    return monthOfYear(date, year);
}

} // namespace kv::finance

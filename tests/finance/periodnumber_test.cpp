#include "finance/periods/periodnumber.h"

#include <gtest/gtest.h>

using kv::finance::FinancialYear;
using kv::finance::PeriodType;
using kv::finance::periodNumber;

namespace {

QDate day(const char *yyyymmdd)
{
    return QDate::fromString(QLatin1String(yyyymmdd), QStringLiteral("yyyyMMdd"));
}

} // namespace

TEST(PeriodNumber, ADateFallsInThePeriodOfItsYearsType)
{
    const FinancialYear calendar{PeriodType::Month, false, day("20260101")};
    const FinancialYear april{PeriodType::Month, true, day("20260401")};
    const FinancialYear fromMidApril{PeriodType::Month, true, day("20260415")};
    const FinancialYear october{PeriodType::Month, true, day("20261001")};
    const FinancialYear brokenInJanuary{PeriodType::Month, true, day("20260101")};
    const FinancialYear notBroken{PeriodType::Month, false, day("20260401")}; // the flag decides, not the start
    const auto as = [](FinancialYear year, PeriodType type) {
        year.type = type;
        return year;
    };
    const struct {
        const char *date;
        FinancialYear year;
        int period;
    } cases[] = {
        {"20260101", as(calendar, PeriodType::Year), 1},
        {"20270315", as(april, PeriodType::Year), 1},

        {"20260101", as(calendar, PeriodType::Quarter), 1},
        {"20260331", as(calendar, PeriodType::Quarter), 1},
        {"20260401", as(calendar, PeriodType::Quarter), 2},
        {"20260930", as(calendar, PeriodType::Quarter), 3},
        {"20261001", as(calendar, PeriodType::Quarter), 4},
        {"20261231", as(calendar, PeriodType::Quarter), 4},
        // A broken year counts its quarters from the start month, as it counts its months.
        {"20260401", as(april, PeriodType::Quarter), 1},
        {"20260630", as(april, PeriodType::Quarter), 1},
        {"20260701", as(april, PeriodType::Quarter), 2},
        {"20261231", as(april, PeriodType::Quarter), 3},
        {"20270101", as(april, PeriodType::Quarter), 4},
        {"20270331", as(april, PeriodType::Quarter), 4},
        {"20261231", as(october, PeriodType::Quarter), 1},
        {"20260930", as(october, PeriodType::Quarter), 4},

        {"20260115", calendar, 1},
        {"20261231", calendar, 12},
        {"20260401", april, 1},
        {"20261231", april, 9},
        {"20270101", april, 10},
        {"20270331", april, 12},
        {"20260401", fromMidApril, 1}, // the month of the start, whatever its day
        {"20260501", fromMidApril, 2},
        {"20261001", october, 1},
        {"20270930", october, 12},
        {"20261231", brokenInJanuary, 12},
        {"20261231", notBroken, 12},

        // ISO weeks, Monday first; week 1 holds the year's first Thursday.
        {"20261231", as(calendar, PeriodType::Week), 53}, // a Thursday
        {"20270101", as(calendar, PeriodType::Week), 53}, // Friday of the same week
        {"20270103", as(calendar, PeriodType::Week), 53}, // Sunday ends it
        {"20270104", as(calendar, PeriodType::Week), 1},  // Monday starts the next
        {"20251229", as(calendar, PeriodType::Week), 1},  // Monday of 2026's first week
        {"20260101", as(calendar, PeriodType::Week), 1},
        {"20251228", as(calendar, PeriodType::Week), 52},
        {"20240229", as(calendar, PeriodType::Week), 9},
    };
    for (const auto &c : cases)
        EXPECT_EQ(periodNumber(day(c.date), c.year), c.period) << c.date << " type " << int(c.year.type);
}

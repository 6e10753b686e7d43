#include "editing/dates.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {
struct TextRow {
    QStringView in;
    QStringView expected;
};
} // namespace

TEST(MaandNaam, NumbersAndNames)
{
    struct Row {
        QStringView month;
        bool full;
        QStringView expected;
    };
    const Row rows[] = {
        {u"mrt", false, u"3"},     {u"MRT", true, u"3"},      {u"Jan", false, u"1"},
        {u"dec", false, u"12"},    {u"3", true, u"maart"},    {u"3", false, u"mrt"},
        {u"03", true, u"maart"},   {u"12", true, u"december"}, {u"10", false, u"okt"},
        {u"5", false, u"mei"},     {u"13", false, u""},       {u"0", false, u""},
        {u"00", false, u""},       {u"", false, u""},         {u"maart", false, u""},
        {u"1 ", false, u""},       {u"010", false, u""},      {u"-1", false, u""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(MaandNaam(r.month, r.full), r.expected.toString()) << r.month.toString().toStdString();
}

TEST(DagenInMaand, LeapYears)
{
    struct Row {
        int month, year, days;
    };
    const Row rows[] = {
        {2, 2000, 29}, {2, 2024, 29}, {2, 1900, 28}, {2, 2023, 28}, {2, 2100, 28}, {2, 1600, 29},
        {1, 2023, 31}, {4, 2023, 30}, {9, 2023, 30}, {12, 2023, 31}, {0, 2020, 0}, {13, 2020, 0},
    };
    for (const Row &r : rows)
        EXPECT_EQ(DagenInMaand(r.month, r.year), r.days) << r.month << "-" << r.year;
}

TEST(DatumOmzetten, BetweenStoredAndTyped)
{
    const TextRow toTyped[] = {
        {u"20200105", u"05012020"}, {u"2020015", u"2020015"}, {u"", u""}, {u"2020010500", u"2020010500"},
    };
    for (const TextRow &r : toTyped)
        EXPECT_EQ(DatumOmzetten(r.in, false), r.expected.toString()) << r.in.toString().toStdString();

    const TextRow toStored[] = {
        {u"1012020", u"20200101"},   {u"05012020", u"20200105"}, {u"", u""},
        {u"1 01 2020", u"20200101"}, {u"31122020x", u"20201231"}, {u"abc", u"00000000"},
    };
    for (const TextRow &r : toStored)
        EXPECT_EQ(DatumOmzetten(r.in, true), r.expected.toString()) << r.in.toString().toStdString();
}

TEST(DatumWeergave, StoredDatesForDisplay)
{
    struct Row {
        QStringView stored;
        QStringView shown;
        bool formatted;
    };
    const Row rows[] = {
        {u"20200105", u" 5 jan 2020", true}, {u"20201231", u"31 dec 2020", true},
        {u"20200100", u"jan 2020", true},    {u"00000105", u"", true},
        {u"19991110", u"10 nov 1999", true}, {u" 0abc ", u" abc", false},
        {u"", u"", false},                   {u"2020", u"2020", false},
    };
    for (const Row &r : rows) {
        bool formatted = !r.formatted;
        EXPECT_EQ(DatumWeergave(r.stored, false, &formatted), r.shown.toString()) << r.stored.toString().toStdString();
        EXPECT_EQ(formatted, r.formatted) << r.stored.toString().toStdString();
    }
}

TEST(DatumInvoerLezen, DatesWithMonthNames)
{
    const TextRow rows[] = {
        {u"2020", u"2020"},           {u"05012020", u"05012020"},  {u"jan 2020", u"012020"},
        {u"JAN-2020", u"012020"},     {u"jan2020", u"012020"},     {u"okt 1999", u"101999"},
        {u"01 jan 2020", u"01012020"}, {u"01-jan-2020", u"01012020"}, {u"1 jan 2020", u"01012020"},
        {u"31 DEC 2020", u"31122020"}, {u" 01 jan 2020 ", u"01012020"}, {u"1-jan-2020", u""},
        {u"01 xyz 2020", u""},        {u"xyz 2020", u""},          {u"", u""},
        {u"12345", u""},              {u"1012020", u""},
    };
    for (const TextRow &r : rows)
        EXPECT_EQ(DatumInvoerLezen(r.in), r.expected.toString()) << r.in.toString().toStdString();
}

TEST(DatumSysteemVorm, LocaleOrderAndSeparator)
{
    struct Row {
        QStringView pattern, separator, stored, expected;
    };
    const Row rows[] = {
        {u"dd-mm-yyyy", u"-", u"20230230", u"28-02-2023"},
        {u"dd-mm-yyyy", u"-", u"20240231", u"29-02-2024"},
        {u"dd-mm-yyyy", u"-", u"20200100", u"01-01-2020"},
        {u"dd-mm-yyyy", u"-", u"20200005", u"05-01-2020"},
        {u"dd-mm-yyyy", u"-", u"-", u"15-03-2024"},
        {u"yyyy/mm/dd", u"/", u"20200105", u"2020/01/05"},
        {u"m/d/yyyy", u"/", u"20200105", u"01/05/2020"},
        {u"dd.mm.yy", u".", u"20200105", u"05.01.2020"},
    };
    Context context;
    context.clock = [] { return QDateTime(QDate(2024, 3, 15), QTime(10, 0)); };
    for (const Row &r : rows) {
        context.shortDateFormat = r.pattern.toString();
        context.dateSeparator = r.separator.toString();
        EXPECT_EQ(DatumSysteemVorm(context, r.stored), r.expected.toString()) << r.stored.toString().toStdString();
    }
}

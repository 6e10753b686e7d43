#include "editing/dates.h"

#include "support/printers.h"

#include <gtest/gtest.h>

using namespace kv;

namespace {
struct Row {
    QStringView in, expected;
};
} // namespace

TEST(MaandNaam, NumbersAndNames)
{
    struct Case {
        QStringView month;
        bool full;
        QStringView expected;
    };
    const Case cases[] = {
        {u"mrt", false, u"3"},  {u"MRT", true, u"3"},       {u"dec", false, u"12"},    {u"3", true, u"maart"},
        {u"3", false, u"mrt"},  {u"03", true, u"maart"},    {u"12", true, u"december"}, {u"13", false, u""},
        {u"00", false, u""},    {u"", false, u""},          {u"maart", false, u""},    {u"010", false, u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MaandNaam(c.month, c.full), c.expected.toString()) << c.month.toString().toStdString();
}

TEST(DagenInMaand, LeapYears)
{
    EXPECT_EQ(DagenInMaand(2, 2000), 29);
    EXPECT_EQ(DagenInMaand(2, 2024), 29);
    EXPECT_EQ(DagenInMaand(2, 1900), 28);
    EXPECT_EQ(DagenInMaand(2, 2023), 28);
    EXPECT_EQ(DagenInMaand(9, 2023), 30);
    EXPECT_EQ(DagenInMaand(12, 2023), 31);
    EXPECT_EQ(DagenInMaand(13, 2020), 0);
}

TEST(DatumOmzetten, BetweenStoredAndTyped)
{
    for (const Row &r : {Row{u"20200105", u"05012020"}, {u"2020015", u"2020015"}, {u"", u""}})
        EXPECT_EQ(DatumOmzetten(r.in, false), r.expected.toString()) << r.in.toString().toStdString();
    const Row toStored[] = {
        {u"1012020", u"20200101"}, {u"05012020", u"20200105"}, {u"", u""},
        {u"1 01 2020", u"20200101"}, {u"31122020x", u"20201231"}, {u"abc", u"00000000"},
    };
    for (const Row &r : toStored)
        EXPECT_EQ(DatumOmzetten(r.in, true), r.expected.toString()) << r.in.toString().toStdString();
}

TEST(DatumWeergave, StoredDatesForDisplay)
{
    struct Case {
        QStringView stored, shown;
        bool formatted;
    };
    const Case cases[] = {
        {u"20200105", u" 5 jan 2020", true}, {u"20201231", u"31 dec 2020", true}, {u"20200100", u"jan 2020", true},
        {u"00000105", u"", true},            {u" 0abc ", u" abc", false},        {u"", u"", false},
    };
    for (const Case &c : cases) {
        bool formatted = !c.formatted;
        EXPECT_EQ(DatumWeergave(c.stored, false, &formatted), c.shown.toString()) << c.stored.toString().toStdString();
        EXPECT_EQ(formatted, c.formatted) << c.stored.toString().toStdString();
    }
}

TEST(DatumInvoerLezen, DatesWithMonthNames)
{
    const Row rows[] = {
        {u"2020", u"2020"},             {u"05012020", u"05012020"},    {u"jan 2020", u"012020"},
        {u"JAN-2020", u"012020"},       {u"jan2020", u"012020"},       {u"01 jan 2020", u"01012020"},
        {u"01-jan-2020", u"01012020"},  {u"1 jan 2020", u"01012020"},  {u"31 DEC 2020", u"31122020"},
        {u" 01 okt 2020 ", u"01102020"}, {u"1-jan-2020", u""},         {u"01 xyz 2020", u""},
        {u"xyz 2020", u""},             {u"12345", u""},               {u"1012020", u""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(DatumInvoerLezen(r.in), r.expected.toString()) << r.in.toString().toStdString();
}

TEST(DatumSysteemVorm, LocaleOrderAndSeparator)
{
    struct Case {
        QStringView pattern, separator, stored, expected;
    };
    const Case cases[] = {
        {u"dd-mm-yyyy", u"-", u"20230230", u"28-02-2023"}, {u"dd-mm-yyyy", u"-", u"20240231", u"29-02-2024"},
        {u"dd-mm-yyyy", u"-", u"20200100", u"01-01-2020"}, {u"dd-mm-yyyy", u"-", u"20200005", u"05-01-2020"},
        {u"dd-mm-yyyy", u"-", u"-", u"15-03-2024"},        {u"yyyy/mm/dd", u"/", u"20200105", u"2020/01/05"},
        {u"m/d/yyyy", u"/", u"20200105", u"01/05/2020"},   {u"dd.mm.yy", u".", u"20200105", u"05.01.2020"},
    };
    Context context;
    context.clock = [] { return QDateTime(QDate(2024, 3, 15), QTime(10, 0)); };
    for (const Case &c : cases) {
        context.shortDateFormat = c.pattern.toString();
        context.dateSeparator = c.separator.toString();
        EXPECT_EQ(DatumSysteemVorm(context, c.stored), c.expected.toString()) << c.stored.toString().toStdString();
    }
}

#include "editing/datecheck.h"

#include "support/printers.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {

class DatumControlerenTest : public ::testing::Test {
protected:
    DatumControlerenTest()
    {
        context.clock = [] { return QDateTime(QDate(2024, 3, 15), QTime(10, 0)); };
        context.TweeCijferJaarMax = 2029;
        context.dialogs = &dialogs;
    }

    test::ScriptedDialogs dialogs;
    Context context;
};

struct Row {
    QStringView typed;
    QStringView stored; // "" when the entry is refused
};

void expectRows(const Context &context, std::initializer_list<Row> rows)
{
    for (const Row &r : rows) {
        const auto stored = DatumControleren(context, r.typed);
        EXPECT_EQ(stored.value_or(QString()), r.stored.toString()) << r.typed.toString().toStdString();
    }
}

} // namespace

TEST_F(DatumControlerenTest, ReadsTheDigitsByTheirCount)
{
    expectRows(context, {
        {u"15", u"20240315"},      {u"31", u"20240331"},      {u"32", u""},
        {u"00", u""},              {u"1", u""},               {u"", u""},
        {u"1503", u"20240315"},    {u"2902", u"20240229"},    {u"3102", u""},
        {u"101", u"20240110"},     {u"112", u"20240211"},     {u"131", u"20240113"},
        {u"310", u"20241003"},     {u"010", u""},             // day 0 either way
        {u"10120", u"20200110"},   {u"31020", u"20201003"},   {u"11299", u"19990211"},
        {u"010120", u"20200101"},  {u"311299", u"19991231"},  {u"290200", u"20000229"},
        {u"1012020", u"20200110"}, {u"3102020", u"20201003"}, {u"1122020", u"20200211"},
        {u"01012020", u"20200101"}, {u"29022024", u"20240229"}, {u"29022023", u""},
        {u"00012020", u""},        {u"01002020", u""},        {u"01132020", u""},
        {u"00000000", u""},        {u"123456789", u""},
    });
}

TEST_F(DatumControlerenTest, YearLimits)
{
    expectRows(context, {
        {u"01011500", u"15000101"}, {u"01011499", u""},         {u"31122100", u"21001231"},
        {u"01012101", u""},         {u"1011800", u"18000110"},  {u"1011799", u""},
    });
}

TEST_F(DatumControlerenTest, TwoDigitYearsAroundThePivot)
{
    expectRows(context, {
        {u"280229", u"20290228"}, {u"290229", u""}, // 2029 is no leap year
        {u"010130", u"19300101"}, {u"010100", u"20000101"}, {u"311228", u"20281231"},
    });
    context.TweeCijferJaarMax = 2049;
    expectRows(context, {{u"010149", u"20490101"}, {u"010150", u"19500101"}});
    context.TweeCijferJaarMax = 2000;
    expectRows(context, {{u"010100", u"20000101"}, {u"010101", u"19010101"}});
}

TEST_F(DatumControlerenTest, SeparatorsAreIgnoredBeforeCounting)
{
    expectRows(context, {
        {u"01-01-2020", u"20200101"}, {u"01/01/2020", u"20200101"}, {u"01.01.20", u"20200101"},
        {u"15.03", u"20240315"},      {u" 01-01-2020 ", u"20200101"}, {u"1-1-20", u""}, // 1120: month 20
        {u"01 01 2020", u""},         {u"ab", u""},                 {u"1\u00A02", u""},
        {u"-", u""},                  {u"--15--", u"20240315"},
    });
}

TEST_F(DatumControlerenTest, FutureDatesAreRefusedWithAWarningWhenAsked)
{
    EXPECT_EQ(DatumControleren(context, u"16032024"), u"20240316"_s);
    EXPECT_EQ(DatumControleren(context, u"15032024", true), u"20240315"_s);
    EXPECT_EQ(DatumControleren(context, u"31022024", true), std::nullopt); // impossible: no warning
    EXPECT_TRUE(dialogs.shown.empty());

    EXPECT_EQ(DatumControleren(context, u"16032024", true), std::nullopt);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].prompt, u"Deze datum ligt in de toekomst.\nWijzig de datum."_s);
    EXPECT_EQ(dialogs.shown[0].buttons, mb::OKOnly | mb::Exclamation);
    EXPECT_EQ(dialogs.shown[0].title, u""_s); // the program's title
}

#include "editing/flags.h"
#include "editing/names.h"
#include "editing/scrambling.h"
#include "editing/text.h"

#include "support/printers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {
struct Row {
    QStringView in, expected;
};
} // namespace

TEST(Text, PaddingFlagsAndReplacing)
{
    EXPECT_EQ(VoorloopNullen(42, 6), u"000042"_s);
    EXPECT_EQ(VoorloopNullen(1234567, 4), u"1234"_s);
    EXPECT_EQ(VoorloopNullen(-42, 6), u"000-42"_s);
    EXPECT_EQ(VoorloopNullen(5, 0), u""_s);
    EXPECT_TRUE(FlagIsAan(u"-x", 2));
    EXPECT_FALSE(FlagIsAan(u"-x", 3));
    EXPECT_EQ(ZetFlag(3, u"X-"_s, true), u"X-"_s);
    EXPECT_EQ(TelTeken(u"X-x-X"), 2);
    EXPECT_EQ(trimSpaces(u"  a b \t "), u"a b \t"_s);
    EXPECT_EQ(VervangAlles(u"a      b"_s, u"  ", u" "), u"a b"_s);
    EXPECT_EQ(VervangAlles(u"aabb"_s, u"ab", u""), u""_s);
    EXPECT_EQ(VervangAlles(u"abc"_s, u"", u"x"), u"abc"_s);
    EXPECT_EQ(VervangAlles(u"aa"_s, u"a", u"aa"), u"aaaa"_s); // would grow for ever
    for (const Row &r : {Row{u"0417164300", u"417164300"}, {u"0000", u"0000"}, {u"00a1", u"00a1"}, {u"", u""}})
        EXPECT_EQ(ZonderVoorloopNullen(r.in.toString()), r.expected.toString());
}

TEST(GetLaatsteWoord, PartAfterTheLastSeparator)
{
    struct Case {
        QStringView text, separator, expected;
    };
    const Case cases[] = {
        {u"Jan de Vries   ", u"", u"Vries"}, {u"  Vries", u"", u"Vries"}, {u"C:\\map\\a.txt", u"\\", u"a.txt"},
        {u"geen", u"\\", u"geen"},           {u"a, b , c ", u",", u"c"}, {u"eind\\", u"\\", u""},
        {u"", u"", u""},                     {u"a - b - c", u" - ", u"c"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetLaatsteWoord(c.text, c.separator), c.expected.toString()) << c.text.toString().toStdString();
}

TEST(GetVoorletters, InitialsOfFirstNames)
{
    const Row rows[] = {
        {u"Jan Willem", u"J.W."},     {u"IJsbrand", u"IJ."},   {u"ijsbrand", u"IJ."},  {u"Thomas", u"Th."},
        {u"Sjoerd", u"Sj."},          {u"Tjeerd", u"Tj."},     {u"Anne-Marie", u"A-M."}, {u"Ingrid", u"I."},
        {u"Marie-Thérèse", u"M-Th."}, {u"Jan  Piet", u"J.P."}, {u"Émile", u"É."},      {u"d'Artagnan", u"D."},
        {u"Piet3Jan", u"P.J."},       {u"-Jan", u"J."},        {u"Jan-", u"J-"},       {u"Kristiaan", u"K."},
    };
    for (const Row &r : rows)
        EXPECT_EQ(GetVoorletters(r.in), r.expected.toString()) << r.in.toString().toStdString();
}

TEST(DeCodeer, UndoesTheScramblingOfTheUserFile)
{
    QString scrambled = u"beheerder:geheim:1"_s;
    std::reverse(scrambled.begin(), scrambled.end());
    for (QChar &c : scrambled)
        c = QChar(c.unicode() * 2);
    EXPECT_EQ(DeCodeer(scrambled), u"beheerder:geheim:1"_s);
    // Odd codes are halves: they round to the even neighbour.
    EXPECT_EQ(DeCodeer(u"\u00C3\u00C5"_s), u"bb"_s); // 97.5 and 98.5
    EXPECT_EQ(DeCodeer(u"\u0003\u0001"_s), QString(QChar(0)) + QChar(2));
}

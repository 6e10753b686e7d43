#include "editing/flags.h"
#include "editing/names.h"
#include "editing/scrambling.h"
#include "editing/text.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {
struct TextRow {
    QStringView in;
    QStringView expected;
};
} // namespace

TEST(Text, SmallHelpers)
{
    EXPECT_EQ(AlleenCijfers(u"NL 1234.56-7B01"), u"123456701"_s);
    EXPECT_EQ(AlleenCijfers(u""), u""_s);
    EXPECT_EQ(AlleenCijfers(u"\u0661\u0662"), u""_s);
    EXPECT_EQ(VerwijderTeken(u"1.234.567", u'.'), u"1234567"_s);
    EXPECT_EQ(GeldigeBestandsnaam(u"a:b/c\\d?e!f<g>h*i\"j|k.txt"), u"abcdefghijk.txt"_s);
    EXPECT_EQ(trimSpaces(u"  a b \t "), u"a b \t"_s);
}

TEST(VoorloopNullen, PadsOrCuts)
{
    struct Row {
        qint32 number;
        int length;
        QStringView expected;
    };
    const Row rows[] = {
        {42, 6, u"000042"},         {1234567, 4, u"1234"}, {0, 3, u"000"},     {5, 0, u""},
        {-42, 6, u"000-42"},        {2147483647, 12, u"002147483647"},          {7, 1, u"7"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(VoorloopNullen(r.number, r.length), r.expected.toString()) << r.number << "/" << r.length;
}

TEST(Flags, ReadAndWriteByPosition)
{
    EXPECT_TRUE(FlagIsAan(u"X-x", 1));
    EXPECT_FALSE(FlagIsAan(u"X-x", 2));
    EXPECT_TRUE(FlagIsAan(u"X-x", 3));
    EXPECT_FALSE(FlagIsAan(u"X-x", 0));
    EXPECT_FALSE(FlagIsAan(u"X-x", 4));
    EXPECT_FALSE(FlagIsAan(u"", 1));
    EXPECT_EQ(ZetFlag(2, u"X-X"_s, true), u"XXX"_s);
    EXPECT_EQ(ZetFlag(1, u"X-X"_s, false), u"--X"_s);
    EXPECT_EQ(ZetFlag(4, u"X-X"_s, true), u"X-X"_s);
    EXPECT_EQ(ZetFlag(0, u"X-X"_s, true), u"X-X"_s);
    EXPECT_EQ(TelTeken(u"X-X-"), 2);
    EXPECT_EQ(TelTeken(u"x-X"), 1);
    EXPECT_EQ(TelTeken(u"aXa", u'a'), 2);
    EXPECT_EQ(TelTeken(u"", u'a'), 0);
}

TEST(VervangAlles, RepeatsUntilNoneIsLeft)
{
    EXPECT_EQ(VervangAlles(u"a      b"_s, u"  ", u" "), u"a b"_s);
    EXPECT_EQ(VervangAlles(u"abab"_s, u"ab", u""), u""_s);
    EXPECT_EQ(VervangAlles(u"aabb"_s, u"ab", u""), u""_s);
    EXPECT_EQ(VervangAlles(u"xyz"_s, u"q", u"r"), u"xyz"_s);
    EXPECT_EQ(VervangAlles(u"abc"_s, u"", u"x"), u"abc"_s);
    EXPECT_EQ(VervangAlles(u"aa"_s, u"a", u"aa"), u"aaaa"_s); // would grow for ever
}

TEST(ZonderVoorloopNullen, OnlyPositiveWholeNumbers)
{
    const TextRow rows[] = {
        {u"0417164300", u"417164300"}, {u"0000", u"0000"}, {u"", u""},         {u"00a1", u"00a1"},
        {u"12", u"12"},                {u" 012", u" 012"}, {u"-012", u"-012"},
    };
    for (const TextRow &r : rows)
        EXPECT_EQ(ZonderVoorloopNullen(r.in.toString()), r.expected.toString());
}

TEST(GetLaatsteWoord, PartAfterTheLastSeparator)
{
    struct Row {
        QStringView text, separator, expected;
    };
    const Row rows[] = {
        {u"Jan de Vries", u"", u"Vries"},     {u"Jan de Vries   ", u"", u"Vries"},
        {u"  Vries", u"", u"Vries"},          {u"C:\\map\\bestand.txt", u"\\", u"bestand.txt"},
        {u"geen", u"\\", u"geen"},            {u"a, b , c ", u",", u"c"},
        {u"eind\\", u"\\", u""},              {u"", u"", u""},
        {u"a - b - c", u" - ", u"c"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(GetLaatsteWoord(r.text, r.separator), r.expected.toString()) << r.text.toString().toStdString();
}

TEST(GetVoorletters, InitialsOfFirstNames)
{
    const TextRow rows[] = {
        {u"Jan Willem", u"J.W."},   {u"IJsbrand", u"IJ."},     {u"ijsbrand", u"IJ."},
        {u"Thomas", u"Th."},        {u"Sjoerd", u"Sj."},       {u"Tjeerd", u"Tj."},
        {u"Anne-Marie", u"A-M."},   {u"Ingrid", u"I."},        {u"Sander", u"S."},
        {u"Marie-Thérèse", u"M-Th."}, {u"Jan  Piet", u"J.P."}, {u"Émile", u"É."},
        {u"d'Artagnan", u"D."},     {u"Piet3Jan", u"P.J."},    {u"-Jan", u"J."},
        {u"Jan-", u"J-"},           {u"", u""},                {u"Kristiaan", u"K."},
    };
    for (const TextRow &r : rows)
        EXPECT_EQ(GetVoorletters(r.in), r.expected.toString()) << r.in.toString().toStdString();
}

TEST(DeCodeer, UndoesTheScramblingOfTheUserFile)
{
    const auto scramble = [](QString text) {
        std::reverse(text.begin(), text.end());
        for (QChar &c : text)
            c = QChar(c.unicode() * 2);
        return text;
    };
    EXPECT_EQ(DeCodeer(scramble(u"beheerder:geheim:1"_s)), u"beheerder:geheim:1"_s);
    // Odd codes are halves: they round to the even neighbour.
    EXPECT_EQ(DeCodeer(u"\u00C3\u00C5"_s), u"bb"_s); // 97.5 and 98.5
    EXPECT_EQ(DeCodeer(u"\u0003\u0001"_s), QString(QChar(0)) + QChar(2));
    EXPECT_EQ(DeCodeer(u""), u""_s);
}

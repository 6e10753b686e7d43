#include "editing/numbers.h"

#include "support/printers.h"

#include <gtest/gtest.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

TEST(FormatGetal, FixedDecimalsNoGrouping)
{
    struct Row {
        QVariant value;
        int decimals;
        bool naAllowed;
        QStringView expected;
    };
    const Row rows[] = {
        {u"21"_s, 0, false, u"21,00"},        {u"21,55"_s, 1, false, u"21,6"},     {u"-1,005"_s, 2, false, u"-1,01"},
        {u"-0,004"_s, 2, false, u"0,00"},     {u"9,99995"_s, 4, false, u"10,0000"}, {u"1.234,5"_s, 2, false, u"1234,50"},
        {u"12.5"_s, 2, false, u"125,00"},     {u" 21 % "_s, 3, false, u"21,000"},   {u""_s, 2, false, u"0,00"},
        {u"n/a"_s, 2, true, u"0,00"},         {u"(niet ingesteld)"_s, 1, true, u"0,0"},
        {u"abc"_s, 2, false, u"0,00"},        {u"abc"_s, 2, true, u"n/a"},          {u"1,2,3"_s, 2, true, u"n/a"},
        {u"1 2 3,4 %"_s, 5, false, u"123,4"}, {QVariant(21.5), 2, false, u"21,50"}, {QVariant(), 2, true, u"0,00"},
    };
    const Separators separators;
    for (const Row &r : rows)
        EXPECT_EQ(FormatGetal(separators, r.value, r.decimals, r.naAllowed), r.expected.toString())
            << r.value.toString().toStdString() << " / " << r.decimals;
}

TEST(FormatGetalGegroepeerd, GroupsTheIntegerPart)
{
    struct Row {
        QStringView value;
        bool decimals, thousands;
        QStringView expected;
    };
    const Row rows[] = {
        {u"", true, true, u""},                        {u"1234567,891", true, true, u"1.234.567,89"},
        {u"1234567,891", false, true, u"1.234.567"},   {u"1234567,891", true, false, u"1234567,89"},
        {u"-1234,9", false, true, u"-1.234"},          {u"-123456", true, true, u"-123.456,00"},
        {u"-0,9", false, true, u"0"},                  {u"n/a", true, true, u"0,00"},
    };
    const Separators separators;
    for (const Row &r : rows)
        EXPECT_EQ(FormatGetalGegroepeerd(separators, r.value.toString(), r.decimals, r.thousands), r.expected.toString())
            << r.value.toString().toStdString();
}

TEST(VerwijderNullen, DropsTrailingZerosOfTheFraction)
{
    struct Row {
        QStringView text;
        bool bareZero;
        QStringView expected;
    };
    const Row rows[] = {
        {u"12,500", false, u"12,5"}, {u"12,000", false, u"12,0"}, {u"12,000", true, u"12"}, {u"0,0", true, u"0"},
        {u",0", true, u",0"},        {u"100", true, u"100"},      {u"1.000", false, u"1.000"},
    };
    const Separators separators;
    for (const Row &r : rows)
        EXPECT_EQ(VerwijderNullen(separators, r.text.toString(), r.bareZero), r.expected.toString())
            << r.text.toString().toStdString();
}

TEST(IsNumeriek, DigitsAndThePlainNumberSeparators)
{
    Separators english;
    english.GetalDecimaalTeken = u'.';
    english.GetalDuizendTeken = u',';
    const Separators dutch;
    EXPECT_FALSE(IsNumeriek(u""));
    EXPECT_FALSE(IsNumeriek(u"", dutch));
    EXPECT_TRUE(IsNumeriek(u"123"));
    EXPECT_FALSE(IsNumeriek(u"12,5"));
    EXPECT_TRUE(IsNumeriek(u"1.234,5", dutch));
    EXPECT_TRUE(IsNumeriek(u"1,234.5", english));
    EXPECT_FALSE(IsNumeriek(u"-5", dutch));
    EXPECT_FALSE(IsNumeriek(u"\u0661", dutch)); // Arabic-Indic one
}

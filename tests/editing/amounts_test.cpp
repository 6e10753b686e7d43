#include "editing/amounts.h"

#include "support/printers.h"

#include <gtest/gtest.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {
constexpr BedragOpmaak plain{}, brackets{true, false, false}, whole{false, true, false},
    rounded{false, false, true}, roundedWhole{false, true, true};
} // namespace

TEST(FormatBedrag, ReadsTypedAndStoredAmounts)
{
    struct Row {
        QVariant value;
        BedragOpmaak options;
        QStringView expected;
    };
    const Row rows[] = {
        {QVariant(), plain, u"0,00"},           {QVariant(), whole, u"0"},               {u"\u00A0"_s, plain, u"0,00"},
        {u"1234,5"_s, plain, u"1.234,50"},      {u"-1234.56"_s, brackets, u"<1.234,56>"}, {u"1.234"_s, plain, u"1.234,00"},
        {u"1.23"_s, plain, u"1,23"},            {u"12."_s, plain, u"12,00"},             {u"1.234.5"_s, plain, u"12.345,00"},
        {u"1.2--"_s, plain, u"12,00"},          {u"--5"_s, plain, u"-5,00"},             {u"1-2"_s, plain, u"12,00"},
        {u"12a"_s, plain, u"0,00"},             {u"+5"_s, plain, u"0,00"},               {u"1E5"_s, plain, u"0,00"},
        {u"\t5"_s, plain, u"0,00"},             {u"1,2,3"_s, plain, u"0,00"},            {u",5"_s, plain, u"0,50"},
        {u"-,5"_s, plain, u"-0,50"},            {u"-"_s, plain, u"0,00"},                {u"-,"_s, plain, u"0,00"},
        {u"-0,001"_s, brackets, u"0,00"},       {u"00012,5"_s, plain, u"12,50"},         {u"1 234,5"_s, plain, u"1.234,50"},
        {u"\u00A01.234,56\u00A0"_s, plain, u"1.234,56"},
        {u"123456789012345678901234567890"_s, plain, u"123.456.789.012.345.678.901.234.567.890,00"},
        {QVariant(1.234), plain, u"1,23"},      {QVariant(-0.5), plain, u"-0,50"},       {QVariant(42), plain, u"42,00"},
        {QVariant(1e20), plain, u"100.000.000.000.000.000.000,00"},
    };
    for (const Row &r : rows) {
        Separators separators;
        EXPECT_EQ(FormatBedrag(separators, r.value, r.options), r.expected.toString()) << r.value.toString().toStdString();
    }
}

TEST(FormatBedrag, RoundsCentsHalfUpAndWholeAmountsHalfEven)
{
    struct Row {
        QStringView value;
        BedragOpmaak options;
        QStringView expected;
    };
    const Row rows[] = {
        {u"0,125", plain, u"0,13"},     {u"0,124", plain, u"0,12"},        {u"0,1249", plain, u"0,12"},
        {u"0,995", plain, u"1,00"},     {u"999,995", plain, u"1.000,00"},  {u"-0,995", plain, u"-1,00"},
        {u"1234,56", whole, u"1.234"},  {u"12,99", whole, u"12"},          {u"0,995", whole, u"1"},
        {u"2,5", rounded, u"2,00"},     {u"3,5", rounded, u"4,00"},        {u"-2,5", rounded, u"-2,00"},
        {u"2,51", rounded, u"3,00"},    {u"2,500001", rounded, u"3,00"},   {u"0,5", rounded, u"0,00"},
        {u"2,5", roundedWhole, u"2"},   {u"999,5", roundedWhole, u"1.000"}, {u"-0,3", whole, u"0"},
    };
    for (const Row &r : rows) {
        Separators separators;
        EXPECT_EQ(FormatBedrag(separators, r.value.toString(), r.options), r.expected.toString()) << r.value.toString().toStdString();
    }
}

TEST(FormatBedrag, FormattingAValueFixesTheAmountSeparators)
{
    Separators separators{u'.', u',', u'.', u','};
    FormatBedrag(separators, u"  "_s);
    EXPECT_EQ(separators.DecimaalTeken, u'.');
    FormatBedrag(separators, u"x"_s);
    EXPECT_EQ(separators.DecimaalTeken, u',');
    EXPECT_EQ(separators.DuizendTeken, u'.');
    EXPECT_EQ(separators.GetalDecimaalTeken, u'.');
}

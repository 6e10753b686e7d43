#include "editing/accountnumbers.h"
#include "editing/registration.h"

#include "support/printers.h"

#include <gtest/gtest.h>

using namespace kv;

namespace {
struct CheckRow {
    QStringView text;
    bool valid;
};
struct FormatRow {
    QStringView text, expected;
};
} // namespace

TEST(Rekeningnummer, FormatAndCheck)
{
    const FormatRow formats[] = {
        {u"123456789", u"12.34.56.789"}, {u"1234567890", u"1234.567.890"}, {u"12/34", u"1234"},
        {u"nl91 abna 0417 1643 00", u"NL91 ABNA 0417 1643 00"},           {u"12345678901", u"1234 5678 901"},
    };
    for (const FormatRow &r : formats)
        EXPECT_EQ(FormatRekeningnummer(r.text), r.expected.toString()) << r.text.toString().toStdString();

    const CheckRow checks[] = {
        {u"", true},               {u"1234567", true},           {u"P123456", false},       {u"123456789", true},
        {u"123456788", false},     {u"0417164300", true},        {u"1234567890", false},    {u"000000000", false},
        {u"12.34.56.789", true},   {u"12345678X", false},        {u"12345678901", false},   {u"NL91ABNA0417164300", true},
        {u"nl91 abna 0417 1643 00", true},                       {u"NL91ABNA0417164301", false},
    };
    for (const CheckRow &r : checks)
        EXPECT_EQ(CheckRekeningnummer(r.text), r.valid) << r.text.toString().toStdString();
}

TEST(CheckBtwNummer, ElevenProofOrSoleTraderCheck)
{
    const CheckRow rows[] = {
        {u"NL123456782B01", true},     {u"NL 1234.56.782 B01", true}, // 11-proof
        {u"NL000099998B57", true},     {u"nl000099998b57", true},     // only the sole traders' mod 97 check
        {u"NL000099998B58", false},    {u"NL123456783B01", false},    // fail both
        {u"NL12345678", false},        {u"", false},                  {u"NL000099998", false},
    };
    for (const CheckRow &r : rows)
        EXPECT_EQ(CheckBtwNummer(r.text), r.valid) << r.text.toString().toStdString();
}

TEST(Postcode, CheckAndFormat)
{
    const CheckRow checks[] = {
        {u"1234 AB", true}, {u" 1234  ab ", true}, {u"1234-!", true},   {u"", false},        {u"1234A", false},
        {u"1234A1", false}, {u"123AB", false},     {u"12345AB", false}, {u"12 34 AB", true},
    };
    for (const CheckRow &r : checks)
        EXPECT_EQ(CheckPostcode(r.text), r.valid) << r.text.toString().toStdString();

    const FormatRow formats[] = {
        {u"1234ab", u"1234 ab"}, {u" 1234 AB", u"1234 AB"}, {u"1234   AB", u"1234A"}, {u"abc", u"abc"},
    };
    for (const FormatRow &r : formats)
        EXPECT_EQ(FormatPostcode(r.text), r.expected.toString()) << r.text.toString().toStdString();
}

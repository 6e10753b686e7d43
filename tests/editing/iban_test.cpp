#include "editing/iban.h"

#include "support/printers.h"

#include <gtest/gtest.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {

// Public example IBANs of many countries, as the banks and registries publish them.
const QStringView validIbans[] = {
    u"NL91ABNA0417164300", u"NL20INGB0001234567", u"NL02ABNA0123456789", u"NL18RABO0123459876",
    u"NL39RABO0300065264", u"NL86INGB0002445588", u"DE89370400440532013000", u"GB29NWBK60161331926819",
    u"BE68539007547034", u"FR1420041010050500013M02606", u"CH9300762011623852957", u"NO9386011117947",
    u"MT84MALT011000012345MTLCAST001S", u"IT60X0542811101000000123456", u"ES9121000418450200051332",
    u"AT611904300234573201", u"PL61109010140000071219812874", u"SE4550000000058398257466",
    u"IE29AIBK93115212345678", u"LU280019400644750000", u"DK5000400440116243", u"FI2112345600000785",
    u"PT50000201231234567890154", u"GR1601101250000000012300695",
};

} // namespace

TEST(IsGeldigIBAN, PublicExamplesOfManyCountries)
{
    for (QStringView iban : validIbans)
        EXPECT_TRUE(IsGeldigIBAN(iban)) << iban.toString().toStdString();
}

TEST(IsGeldigIBAN, AnyChangedDigitIsCaught)
{
    for (QStringView iban : validIbans) {
        for (qsizetype i = 0; i < iban.size(); ++i) {
            if (!iban[i].isDigit())
                continue;
            QString changed = iban.toString();
            changed[i] = QChar(u'0' + (changed[i].unicode() - u'0' + 1) % 10);
            EXPECT_FALSE(IsGeldigIBAN(changed)) << changed.toStdString();
        }
    }
}

TEST(IsGeldigIBAN, WritingsAndMistakes)
{
    struct Row {
        QStringView text;
        bool valid;
    };
    const Row rows[] = {
        {u"nl91abna0417164300", true},      {u"NL91 ABNA 0417 1643 00", true}, {u"NL91/ABNA-0417:1643*00", true},
        {u"NL91.ABNA.0417.1643.00", false}, {u"NL91ABNA04171643\u00C900", false}, {u"NL92ABNA0417164300", false},
        {u"", false},                       {u"NL91ABNA0", false},               {u"NL91ABNA0417164300\u00A0", false},
    };
    for (const Row &r : rows)
        EXPECT_EQ(IsGeldigIBAN(r.text), r.valid) << r.text.toString().toStdString();
}

TEST(ModuloGroot, RemainderOfLongNumbers)
{
    EXPECT_EQ(ModuloGroot(u"", 97), 0);
    EXPECT_EQ(ModuloGroot(u"96", 97), 96);
    EXPECT_EQ(ModuloGroot(u"3214282912345698765432161182", 97), 1); // ISO 13616 example, rearranged
    EXPECT_EQ(ModuloGroot(u"123456789012345678901234567890", 97), 52);
    EXPECT_EQ(ModuloGroot(u"12a", 97), -1);
    EXPECT_EQ(ModuloGroot(u"123", 0), -1);
}

TEST(IBANNaarRekeningnummer, DigitsAtTheEnd)
{
    struct Row {
        QStringView iban, account;
    };
    const Row rows[] = {
        {u"NL91 ABNA 0417 1643 00", u"417164300"},      {u"NL91.ABNA.0417.1643.00", u"417164300"},
        {u"NL20INGB0001234567", u"1234567"},            {u"NL91ABNA0417164301", u"NL91ABNA0417164301"},
        {u"12.34.56 789", u"123456789"},                {u"MT84MALT011000012345MTLCAST001S", u""},
        {u"IT60X0542811101000000123456", u"542811101000000123456"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(IBANNaarRekeningnummer(r.iban), r.account.toString()) << r.iban.toString().toStdString();
}

TEST(IBANNaarBIC, BankCodeOfDutchIbans)
{
    struct Row {
        QStringView iban, bic;
    };
    const Row rows[] = {
        {u" nl91 abna 0417 1643 00 ", u"ABNANL2A"}, {u"NL20INGB0001234567", u"INGBNL2A"},
        {u"NL18RABO0123459876", u"RABONL2U"},       {u"NL62DEUT0265123456", u"DEUTNL2A"},
        {u"NL41DEUT0123456789", u"DEUTNL2N"},       {u"NL31BOFA0123456789", u"BOFANLNX"},
        {u"NL68KNAB0123456789", u"KNABNL2H"},       {u"NL51ZZZZ0123456789", u""}, // not in the table
        {u"NL91ABNA0417164301", u""},               {u"DE89370400440532013000", u""},
        {u"GB29NWBK60161331926819", u""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(IBANNaarBIC(r.iban), r.bic.toString()) << r.iban.toString().toStdString();
    EXPECT_EQ(BankcodeNaarBIC(u"", u"VPVG"), u"VPVGNL22"_s);
    EXPECT_EQ(BankcodeNaarBIC(u"NL62 DEUT 0265 1234 56", u"DEUT"), u"DEUTNL2A"_s);
    EXPECT_EQ(BankcodeNaarBIC(u"", u"ABN"), u""_s);
}

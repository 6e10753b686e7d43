#include "editing/iban.h"
#include "editing/ibanregistry.h"

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

namespace {

// The example IBAN the registry gives for each of its countries.
const QStringView registrySamples[] = {
    u"AD1200012030200359100100", u"AE070331234567890123456", u"AL47212110090000000235698741",
    u"AT611904300234573201", u"AZ21NABZ00000000137010001944", u"BA391290079401028494", u"BE68539007547034",
    u"BG80BNBG96611020345678", u"BH67BMAG00001299123456", u"BI4210000100010000332045181",
    u"BR1800360305000010009795493C1", u"BY13NBRB3600900000002Z00AB00", u"CH9300762011623852957",
    u"CR05015202001026284066", u"CY17002001280000001200527600", u"CZ6508000000192000145399",
    u"DE89370400440532013000", u"DJ2100010000000154000100186", u"DK5000400440116243",
    u"DO28BAGR00000001212453611324", u"EE382200221020145685", u"EG380019000500000000263180002",
    u"ES9121000418450200051332", u"FI2112345600000785", u"FK88SC123456789012", u"FO6264600001631634",
    u"FR1420041010050500013M02606", u"GB29NWBK60161331926819", u"GE29NB0000000101904917",
    u"GI75NWBK000000007099453", u"GL8964710001000206", u"GR1601101250000000012300695",
    u"GT82TRAJ01020000001210029690", u"HN88CABF00000000000250005469", u"HR1210010051863000160",
    u"HU42117730161111101800000000", u"IE29AIBK93115212345678", u"IL620108000000099999999",
    u"IQ98NBIQ850123456789012", u"IS140159260076545510730339", u"IT60X0542811101000000123456",
    u"JO94CBJO0010000000000131000302", u"KW81CBKU0000000000001234560101", u"KZ86125KZT5004100100",
    u"LB62099900000001001901229114", u"LC55HEMM000100010012001200023015", u"LI21088100002324013AA",
    u"LT121000011101001000", u"LU280019400644750000", u"LV80BANK0000435195001", u"LY83002048000020100120361",
    u"MC5811222000010123456789030", u"MD24AG000225100013104168", u"ME25505000012345678951",
    u"MK07250120000058984", u"MN121234123456789123", u"MR1300020001010000123456753",
    u"MT84MALT011000012345MTLCAST001S", u"MU17BOMM0101101030300200000MUR", u"NI45BAPR00000013000003558124",
    u"NL91ABNA0417164300", u"NO9386011117947", u"OM810180000001299123456", u"PK36SCBL0000001123456702",
    u"PL61109010140000071219812874", u"PS92PALS000000000400123456702", u"PT50000201231234567890154",
    u"QA58DOHB00001234567890ABCDEFG", u"RO49AAAA1B31007593840000", u"RS35260005601001611379",
    u"RU0304452522540817810538091310419", u"SA0380000000608010167519", u"SC18SSCB11010000000000001497USD",
    u"SD2129010501234001", u"SE4550000000058398257466", u"SI56263300012039086", u"SK3112000000198742637541",
    u"SM86U0322509800000000270100", u"SO211000001001000100141", u"ST23000100010051845310146",
    u"SV62CENR00000000000000700025", u"TL380080012345678910157", u"TN5910006035183598478831",
    u"TR330006100519786457841326", u"UA213223130000026007233566001", u"VA59001123000012345678",
    u"VG96VPVG0000012345678901", u"XK051212012345678906", u"YE15CBYE0001018861234567891234",
};

} // namespace

TEST(IBANAdvies, EveryRegistrySampleIsValidAndWithoutAdvice)
{
    ASSERT_EQ(std::size(registrySamples), ibanRegister().size());
    for (QStringView iban : registrySamples) {
        EXPECT_TRUE(IsGeldigIBAN(iban)) << iban.toString().toStdString();
        EXPECT_EQ(IBANAdvies(iban), QString()) << iban.toString().toStdString();
        ASSERT_NE(ibanLand(iban.left(2)), nullptr);
        EXPECT_EQ(ibanLand(iban.left(2))->lengte, iban.size()) << iban.toString().toStdString();
    }
}

TEST(IBANAdvies, LengthAndShapeOfTheCountry)
{
    const struct {
        QStringView iban;
        QString advice;
    } rows[] = {
        {u"NL91 ABNA 0417 1643 00", {}},
        {u"nl91abna0417164300", {}},
        {u"DE89370400440532013000", {}},
        {u"NL58ABNA041716430", u"Let op: een IBAN uit Nederland heeft 18 tekens."_s},
        {u"NL06ABNA04171643001", u"Let op: een IBAN uit Nederland heeft 18 tekens."_s},
        {u"DE8937040044053201300", u"Let op: een IBAN uit Duitsland heeft 22 tekens."_s},
        {u"NL91ABNA041716430O", u"Let op: dit IBAN heeft niet de opbouw van Nederland."_s},
        {u"NL9112340417164300", u"Let op: dit IBAN heeft niet de opbouw van Nederland."_s},
        {u"BEAB539007547034", u"Let op: dit IBAN heeft niet de opbouw van België."_s},
        {u"GB29NWBK6016133192681X", u"Let op: dit IBAN heeft niet de opbouw van Verenigd Koninkrijk."_s},
        {u"123456789", {}},           // a domestic number
        {u"US64SVBKUS6S3300958879", {}}, // a country without IBAN
        {u"", {}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(IBANAdvies(r.iban), r.advice) << r.iban.toString().toStdString();
    // The two of the wrong length still pass the check digits: advice, not an error.
    EXPECT_TRUE(IsGeldigIBAN(u"NL58ABNA041716430"));
    EXPECT_TRUE(IsGeldigIBAN(u"NL06ABNA04171643001"));
}

#include "demo/banking.h"
#include "editing/iban.h"
#include "support/printers.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace kv::demo;

TEST(VatNumber, AppliesEachCountrysCheck)
{
    struct Case {
        const char *number;
        bool valid;
    };
    for (const Case &c : {Case{"NL004495445B01", true}, Case{"NL004495446B01", false}, // 11-proof
                          Case{"NL004495445B00", false}, Case{"NL004495445X01", false},
                          Case{"NL004495445B1", false}, Case{"BE0403170701", true}, Case{"BE0403170702", false},
                          Case{"DE136695976", true}, Case{"DE136695977", false}, Case{"FR40303265045", false}})
        EXPECT_EQ(vatNumberValid(QString::fromLatin1(c.number)), c.valid) << c.number;
}

TEST(Generated, NumbersPassTheirChecksAndDutchAccountsTheElevenProof)
{
    QRandomGenerator random(7);
    for (int i = 0; i < 500; ++i) {
        const QString nl = makeDutchIban(random), be = makeBelgianIban(random), de = makeGermanIban(random);
        for (const QString &iban : {nl, be, de}) // as the console checks what is typed
            EXPECT_TRUE(kv::IsGeldigIBAN(iban)) << iban.toStdString();
        int sum = 0;
        for (int d = 0; d < 10; ++d)
            sum += nl[8 + d].digitValue() * (10 - d);
        EXPECT_EQ(sum % 11, 0) << nl.toStdString();
        // Belgian account numbers end in their own mod-97 check.
        EXPECT_EQ(be.mid(4, 10).toLongLong() % 97 == 0 ? 97 : be.mid(4, 10).toLongLong() % 97, be.right(2).toInt());
        for (const QString &vat : {makeDutchVatNumber(random), makeBelgianVatNumber(random), makeGermanVatNumber(random)})
            EXPECT_TRUE(vatNumberValid(vat)) << vat.toStdString();
    }
}

TEST(Generated, DutchIbansUseRealBankCodes)
{
    const QStringList banks{"RABO", "INGB", "ABNA", "SNSB", "TRIO", "ASNB", "KNAB", "BUNQ", "RBRB", "FVLB"};
    QRandomGenerator random(11);
    QSet<QString> seen;
    for (int i = 0; i < 400; ++i)
        seen << dutchBankCode(makeDutchIban(random));
    for (const QString &bank : seen)
        EXPECT_TRUE(banks.contains(bank)) << bank.toStdString();
    EXPECT_GE(seen.size(), 8);
    EXPECT_EQ(dutchBankCode(makeDutchIban(random, QStringLiteral("KNAB"))), u"KNAB");
}

TEST(SepaCreditorId, CarriesMod97CheckDigitsOverTheNationalId)
{
    // The check digits skip the business code: NLkkZZZ + id must pass as id + "NL" + kk.
    const QString id = sepaCreditorId(QStringLiteral("123456780000"));
    EXPECT_TRUE(id.startsWith(u"NL"));
    EXPECT_EQ(id.mid(4, 3), u"ZZZ");
    int rest = 0;
    for (QChar c : QString(id.mid(7) + QStringLiteral("2321") + id.mid(2, 2)))
        rest = (rest * 10 + c.digitValue()) % 97;
    EXPECT_EQ(rest, 1) << id.toStdString();
}

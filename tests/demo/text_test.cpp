#include "demo/dutchnames.h"
#include "demo/generator.h"
#include "support/printers.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kv::demo;

TEST(DutchForms, AmountsDatesAndNumbers)
{
    const std::pair<qint64, const char *> amounts[] = {
        {123450, "1.234,50"}, {5, "0,05"}, {-1200, "-12,00"}, {0, "0,00"}, {123456789, "1.234.567,89"}};
    for (const auto &[cents, text] : amounts)
        EXPECT_EQ(amountText(cents), QString::fromLatin1(text));
    EXPECT_EQ(dateText(QDate(2026, 2, 9)), u"20260209");
    EXPECT_EQ(dateText(QDate()), u"");
    EXPECT_EQ(zeroFilled(42, 6), u"000042");
    EXPECT_EQ(zeroFilled(1234567, 6), u"1234567"); // never cut
}

TEST(DutchForms, VatIsRoundedHalfAwayFromZero)
{
    const struct {
        qint64 cents;
        int percent;
        qint64 vat;
    } cases[] = {{50, 21, 11}, {50, 9, 5}, {-50, 21, -11}, {1000, 21, 210}, {250, 9, 23}, {0, 21, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(percentOf(c.cents, c.percent), c.vat) << c.cents << " x " << c.percent << "%";
}

TEST(DutchNames, AddressesLookDutchOrLikeTheNeighbours)
{
    static const QRegularExpression dutchPostcode(QStringLiteral("^[1-9][0-9]{3}[A-EGHJ-NPRSTV-XZ]{2}$"));
    static const QRegularExpression dutchPhone(QStringLiteral("^0[1-9][0-9]{1,2}-[2-9][0-9]+$"));
    QRandomGenerator random(3);
    for (int i = 0; i < 300; ++i) {
        const Address a = makeAddress(random);
        EXPECT_TRUE(dutchPostcode.match(a.postcode).hasMatch()) << qPrintable(a.postcode);
        EXPECT_FALSE(a.postcode.endsWith(u"SS") || a.postcode.endsWith(u"SA") || a.postcode.endsWith(u"SD"));
        EXPECT_TRUE(dutchPhone.match(a.phone).hasMatch()) << qPrintable(a.phone);
        EXPECT_EQ(QString(a.phone).remove(u'-').size(), 10) << qPrintable(a.phone);
        EXPECT_FALSE(a.street.isEmpty() || a.place.isEmpty() || a.houseNumber.isEmpty());
    }
    const Address german = makeAddress(random, QStringLiteral("DE")), belgian = makeAddress(random, QStringLiteral("BE"));
    EXPECT_EQ(german.postcode.size(), 5);
    EXPECT_TRUE(german.phone.startsWith(u"+49 "));
    EXPECT_EQ(belgian.postcode.size(), 4);
    EXPECT_TRUE(belgian.phone.startsWith(u"+32 "));
}

TEST(DutchNames, PrefixesStayLowerCaseInsideAndCapitalFirstInCompanyNames)
{
    Person p{QStringLiteral("Jan"), QStringLiteral("J."), QStringLiteral("van der"), QStringLiteral("Veen")};
    EXPECT_EQ(p.shortName(), u"J. van der Veen");
    EXPECT_EQ(p.fullName(), u"Jan van der Veen");
    QRandomGenerator random(5);
    const Address place = makeAddress(random);
    for (int i = 0; i < 50; ++i) {
        const QString name = makeCompanyName(random, Trade::Customer, p, place);
        EXPECT_FALSE(name.contains(u'%')) << qPrintable(name);
        if (name.contains(u"Veen")) {
            EXPECT_TRUE(name.contains(u"Van der Veen") || name.contains(u"van der Veen")) << qPrintable(name);
        }
        EXPECT_FALSE(makeCompanyName(random, Trade::Supplier, p, place).contains(u'%'));
    }
}

TEST(DutchNames, DomainsDropLegalFormsAndAccents)
{
    EXPECT_EQ(domainOf(QStringLiteral("Loonbedrijf Hofstede B.V."), QStringLiteral("NL")), u"loonbedrijfhofstede.nl");
    EXPECT_EQ(domainOf(QStringLiteral("Brandstoffen Mulder & Zn."), QStringLiteral("NL")), u"brandstoffenmulder.nl");
    EXPECT_EQ(domainOf(QStringLiteral("Mengvoeders Lingen (Ems) B.V."), QStringLiteral("DE")), u"mengvoederslingenems.de");
    EXPECT_EQ(domainOf(QStringLiteral("Zaadteelt Müller"), QStringLiteral("DE")), u"zaadteeltmuller.de");
}

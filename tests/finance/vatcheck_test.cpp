#include "core/db/database.h"
#include "core/db/statement.h"
#include "finance/vat/vatcheck.h"
#include "support/demofixture.h"

using namespace kv;
using namespace kv::finance;
using namespace Qt::Literals::StringLiterals;

namespace {

TEST(VatCheck, TheLastReturnPeriodIsTheLastOneThatEnded)
{
    const QDate today(2026, 12, 7);
    EXPECT_EQ(lastReturnPeriod(0, today), std::pair(u"20261101"_s, u"20261130"_s));
    EXPECT_EQ(lastReturnPeriod(1, today), std::pair(u"20260701"_s, u"20260930"_s));
    EXPECT_EQ(lastReturnPeriod(2, today), std::pair(u"20250101"_s, u"20251231"_s));
    EXPECT_EQ(lastReturnPeriod(0, QDate(2027, 1, 3)), std::pair(u"20261201"_s, u"20261231"_s));
    EXPECT_EQ(lastReturnPeriod(1, QDate(2026, 1, 15)), std::pair(u"20251001"_s, u"20251231"_s));
}

class VatCheckTest : public DemoTest {
protected:
    void sql(const QString &query) { session.DBAdmin().prepareOnce(query).step(); }
    QStringList findings()
    {
        QStringList lines;
        for (const VatFinding &f : checkVat(ctx, u"20260101"_s, u"20261231"_s))
            lines << QString::number(f.code) + u": " + f.text;
        return lines;
    }
};

// The demo's codes and bookings are in order; each kind of mistake is found once per code.
TEST_F(VatCheckTest, CodesAndBookingsThatDoNotFitAreFound)
{
    EXPECT_EQ(findings(), QStringList());
    sql(u"UPDATE BTWcodering SET BTWPercentage = 19 WHERE BTWCode = 6"_s);
    sql(u"UPDATE BTWcodering SET BTWGrondslag = 7 WHERE BTWCode = 12"_s);             // 3a against 3b
    sql(u"UPDATE BTWcodering SET BTWRubriek = 100, BTWGrondslag = 100 WHERE BTWCode = 3"_s); // geen at 9 %
    sql(u"UPDATE BTWcodering SET BTWPercentage = 6, DatumTotEnMet = '20181231' WHERE BTWCode = 2"_s); // the old low rate
    sql(u"UPDATE BTWcodering SET grootboekreknrkorting = '9999' WHERE BTWCode = 7"_s);
    sql(u"UPDATE GrootboekMutaties SET BTWCode = 5 WHERE rowid IN (SELECT rowid FROM GrootboekMutaties WHERE BTWCode = 2 LIMIT 3)"_s);
    const QStringList found = findings();
    auto of = [&](int code) {
        QStringList lines;
        for (const QString &line : found)
            if (line.startsWith(QString::number(code) + u": "))
                lines << line.section(u": "_s, 1);
        return lines;
    };
    // 6 % was right until 2019 (no finding on the code), but not for the 9 % bookings of 2026.
    ASSERT_EQ(of(2).size(), 2);
    EXPECT_TRUE(of(2)[0].endsWith(u" boekingen buiten de geldigheid van de BTW code"_s));
    EXPECT_TRUE(of(2)[1].endsWith(u" boekingen tegen een ander percentage dan de BTW code"_s));
    EXPECT_TRUE(found.contains(u"3: geen aangifte rubriek bij een percentage van 9%"_s));
    EXPECT_TRUE(found.contains(u"5: 3 boekingen met een BTW code die niet bestaat"_s));
    EXPECT_TRUE(found.contains(u"6: het percentage 19% past niet bij het type (verwacht 21%)"_s));
    EXPECT_TRUE(found.contains(u"7: grootboekrekening 9999 bestaat niet"_s));
    EXPECT_TRUE(found.contains(u"12: rubriek 3a en grondslag 3b horen niet bij elkaar"_s));
    EXPECT_EQ(of(6).size(), 2); // the rate, and the lines booked at 21 %
}

} // namespace

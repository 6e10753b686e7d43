// The order numbers no order holds: working and archived orders walked together in numeric
// order, up to the counter, with numbers that are not a number left out and counted.
#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/navigation/screenregistry.h"
#include "core/session/session.h"
#include "maintenance/ordergaps.h"
#include "maintenance/ordergapsscreen.h"
#include "support/administrationfixture.h"
#include "support/scripted_dialogs.h"

#include <QLabel>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <ostream>

using namespace kv;
using namespace kv::maintenance;
using namespace Qt::StringLiterals;

namespace {

struct Gap {
    qint64 van, tm;
    QString vorige, datum;
    bool operator==(const Gap &) const = default;
};

void PrintTo(const Gap &g, std::ostream *os)
{
    *os << g.van << ".." << g.tm << " after " << g.vorige.toStdString() << " of " << g.datum.toStdString();
}

class OrderGapsTest : public ::testing::Test {
protected:
    OrderGapsTest()
    {
        EXPECT_TRUE(session.OpenAdministratie(admin.dataPad()));
        ctx.session = &session;
        ctx.dialogs = &dialogs;
    }
    // Each order with two lines, dated by its number so a gap's date names its order.
    void orders(db::Database &db, const QString &table, const QStringList &numbers)
    {
        db::Statement insert = db.prepareOnce(
            u"INSERT INTO %1 (OrderNr, RegelNr, RelNr, OrderDatum, RecordCode) VALUES (?, ?, '1', ?, 1)"_s.arg(table));
        for (const QString &nr : numbers)
            for (int line : {1, 2}) {
                insert.bindAll({nr, line, u"202601%1"_s.arg(nr.right(2), 2, u'0')});
                insert.step();
                insert.reset();
            }
    }
    void counter(const QString &next)
    {
        db::Statement insert = session.DBAdmin().prepareOnce(u"INSERT INTO UserGegevens (OrderNummer) VALUES (?)"_s);
        insert.bind(1, next);
        insert.step();
    }
    static std::vector<Gap> gapsOf(const OrderGaps &found)
    {
        std::vector<Gap> gaps;
        for (const OrderGap &g : found.gaps)
            gaps.push_back({g.van, g.tm, g.vorigeOrder, g.datum});
        return gaps;
    }

    test::TempAdministration admin;
    Session session;
    test::ScriptedDialogs dialogs;
    Context ctx;
};

TEST_F(OrderGapsTest, GapsBetweenWorkingAndArchivedOrdersUpToTheCounter)
{
    struct Case {
        const char *name;
        QStringList working, archived;
        QString teller;
        std::vector<Gap> gaps;
        int skipped = 0;
    };
    const std::vector<Case> cases{
        {"interleaved, the archive's order before a gap",
         {u"1"_s, u"3"_s, u"7"_s}, {u"2"_s, u"5"_s, u"3"_s}, u"10"_s,
         {{4, 4, u"3"_s, u"20260103"_s}, {6, 6, u"5"_s, u"20260105"_s}, {8, 9, u"7"_s, u"20260107"_s}}},
        {"numeric order, not text order", {u"9"_s, u"10"_s, u"12"_s}, {}, u"13"_s, {{11, 11, u"10"_s, u"20260110"_s}}},
        {"zero-filled numbers", {u"00000001"_s, u"00000004"_s}, {}, u"00000005"_s, {{2, 3, u"00000001"_s, u"20260101"_s}}},
        {"the counter's end: up to one before it", {u"1"_s, u"2"_s}, {}, u"5"_s, {{3, 4, u"2"_s, u"20260102"_s}}},
        {"the counter's end: orders past it are no gap", {u"3"_s, u"12"_s, u"20"_s}, {}, u"10"_s, {{4, 9, u"3"_s, u"20260103"_s}}},
        {"the counter's end: no gap on it", {u"1"_s, u"2"_s}, {}, u"3"_s, {}},
        {"numbers that are not a number: skipped, each counted once",
         {u"1"_s, u"A4"_s, u"4"_s}, {u"A4"_s, u"2B"_s, u"3"_s}, u"6"_s,
         {{2, 2, u"1"_s, u"20260101"_s}, {5, 5, u"4"_s, u"20260104"_s}}, 2},
        {"no orders at all", {}, {}, u"100"_s, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const char *sql : {"DELETE FROM Ordergegevens", "DELETE FROM UserGegevens"})
            session.DBAdmin().prepareOnce(QString::fromLatin1(sql)).step();
        session.DBArchief().prepareOnce(u"DELETE FROM OrderGegevensArchief"_s).step();
        orders(session.DBAdmin(), u"Ordergegevens"_s, c.working);
        orders(session.DBArchief(), u"OrderGegevensArchief"_s, c.archived);
        counter(c.teller);

        const OrderGaps found = findOrderGaps(session);
        EXPECT_TRUE(found.tellerGeldig);
        EXPECT_EQ(gapsOf(found), c.gaps);
        EXPECT_EQ(found.overgeslagen, c.skipped);
    }
}

TEST_F(OrderGapsTest, ACounterThatIsNoNumberGivesNoListAndSaysSo)
{
    orders(session.DBAdmin(), u"Ordergegevens"_s, {u"1"_s, u"5"_s});
    counter(u"X100"_s);

    ScreenRegistry screens;
    registerOrderGapsScreen(screens);
    const auto screen = screens.create(u"frmOverzicht_NietGebruikteOrdernummers"_s, ctx, {});
    EXPECT_EQ(screen->findChild<QTreeWidget *>()->topLevelItemCount(), 0);
    ASSERT_EQ(dialogs.prompts().size(), 1);
    EXPECT_EQ(dialogs.prompts()[0], u"Het volgende ordernummer in de bedrijfsgegevens (\"X100\") is geen getal.\n"
                                    u"Er is geen overzicht te maken."_s);
}

// The screen from the registry lists the gaps with the date shown as a date.
TEST_F(OrderGapsTest, TheScreenListsEachGap)
{
    orders(session.DBAdmin(), u"Ordergegevens"_s, {u"0001"_s, u"0115"_s, u"Z1"_s});
    orders(session.DBArchief(), u"OrderGegevensArchief"_s, {u"0003"_s});
    counter(u"0006"_s);

    ScreenRegistry screens;
    registerOrderGapsScreen(screens);
    const auto screen = screens.create(u"frmOverzicht_NietGebruikteOrdernummers"_s, ctx, {});
    const QTreeWidget *list = screen->findChild<QTreeWidget *>(u"lstOrdernummers"_s);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const std::vector<QStringList> rows{{u"Van"_s, u"T/m"_s, u"Aantal"_s, u"Vorige order"_s, u"Datum"_s},
                                        {u"0002"_s, u"0002"_s, u"1"_s, u"0001"_s, u" 1 jan 2026"_s},
                                        {u"0004"_s, u"0005"_s, u"2"_s, u"0003"_s, u" 3 jan 2026"_s}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ((r ? list->topLevelItem(r - 1) : list->headerItem())->text(c), rows[r][c]) << r << ',' << c;
    EXPECT_EQ(screen->findChild<QLabel *>(u"lblOvergeslagen"_s)->text(), u"Overgeslagen ordernummers (geen getal): 1"_s);
    EXPECT_TRUE(dialogs.prompts().isEmpty());
}

} // namespace

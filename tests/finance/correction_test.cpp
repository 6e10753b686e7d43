#include "correctionfixture.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "editing/widgets/yesno.h"
#include "finance/correction/correction.h"
#include "finance/correction/correctionscreen.h"
#include "support/scripted_dialogs.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

using namespace correctiontest;
using kv::finance::BookingCorrection;
using kv::finance::CorrectionChoice;
namespace correctie = kv::finance::correctie;

namespace {

// The demo administration: 120 ledger lines in January of the next year, memorial ones also
// in the journal, and payments of December invoices made in January; open in a console of
// its own with scripted dialogs.
struct Demo {
    Demo()
    {
        dataPad = copyOf(kv::demo::Scale::demo(), dir);
        opened = session.OpenAdministratie(dataPad);
        ctx.DataPad = dataPad;
        ctx.session = &session;
        ctx.dialogs = &dialogs;
        ctx.registry = &registry;
    }
    kv::db::Database &db() { return session.DBAdmin(); }
    void sql(const QString &statement) { db().Execute(statement); }
    int count(const QString &query) { return db().OpenQuery(query)->value(0).toInt(); }

    QTemporaryDir dir;
    QString dataPad;
    kv::RegistryFile registry{dir.filePath(QStringLiteral("registry.reg"))};
    kv::Session session;
    bool opened = false;
    kv::test::ScriptedDialogs dialogs;
    kv::Context ctx;
};

class Correction : public ::testing::Test, protected Demo {
protected:
    void SetUp() override { ASSERT_TRUE(opened); }
};

QString folded(const QVariant &number)
{
    return number.toString().toCaseFolded();
}

// The booking numbers with a row dated after the year end in either table.
QSet<QString> numbersAfter(kv::db::Database &db, const State &state, const QStringList &tables, const QString &dateField)
{
    QSet<QString> numbers;
    for (const QString &table : tables) {
        const int date = field(db, table, dateField), number = field(db, table, u"BoekstukNr");
        for (const auto &[id, row] : state[table])
            if (row[date].toString() > kYearEnd)
                numbers.insert(folded(row[number]));
    }
    return numbers;
}

// Checks `after` against `before` as the switches of `choice` allow, and no further.
void expectCorrected(kv::db::Database &db, const State &before, const State &after, const CorrectionChoice &choice)
{
    const QStringList bookingTables{QStringLiteral("GrootboekMutaties"), QStringLiteral("Journaal")};
    const QSet<QString> bookings = numbersAfter(db, before, bookingTables, QStringLiteral("BoekingsDatum"));
    ASSERT_FALSE(bookings.isEmpty());
    for (const QString &table : bookingTables) {
        const int date = field(db, table, u"BoekingsDatum"), period = field(db, table, u"Periode"),
                  number = field(db, table, u"BoekstukNr");
        ASSERT_EQ(after[table].size(), before[table].size()) << qPrintable(table);
        for (const auto &[id, old] : before[table]) {
            QVariantList expected = old;
            if (choice.boekdata && bookings.contains(folded(old[number]))) {
                expected[date] = kYearEnd;
                if (choice.periode)
                    expected[period] = 12;
            }
            EXPECT_EQ(after[table].at(id), expected) << qPrintable(table) << " row " << id;
        }
    }

    const QString payments = QStringLiteral("Betalingen"), items = QStringLiteral("OpenstaandePosten");
    const QSet<QString> paid = numbersAfter(db, before, {payments}, QStringLiteral("BetaalDatum"));
    ASSERT_FALSE(paid.isEmpty());
    const int paidOn = field(db, payments, u"BetaalDatum"), number = field(db, payments, u"BoekstukNr"),
              relNr = field(db, payments, u"RelNr"), factuurNr = field(db, payments, u"FactuurNr");
    QHash<QString, QString> latest; // by relation and invoice: the latest payment after the run
    for (const auto &[id, old] : before[payments]) {
        QVariantList expected = old;
        if (choice.betaaldata && paid.contains(folded(old[number])))
            expected[paidOn] = kYearEnd;
        EXPECT_EQ(after[payments].at(id), expected) << "Betalingen row " << id;
        QString &last = latest[folded(old[relNr]) + u'\x1f' + folded(old[factuurNr])];
        last = std::max(last, expected[paidOn].toString());
    }
    const int itemPaidOn = field(db, items, u"BetaalDatum"), itemRelNr = field(db, items, u"RelNr"),
              itemFactuurNr = field(db, items, u"FactuurNr");
    int itemsChanged = 0;
    for (const auto &[id, old] : before[items]) {
        QVariantList expected = old;
        const auto found = latest.constFind(folded(old[itemRelNr]) + u'\x1f' + folded(old[itemFactuurNr]));
        if (choice.betaaldata && found != latest.constEnd())
            expected[itemPaidOn] = *found;
        itemsChanged += expected != old;
        EXPECT_EQ(after[items].at(id), expected) << "OpenstaandePosten row " << id;
    }
    EXPECT_EQ(itemsChanged > 0, choice.betaaldata);
}

} // namespace

TEST(CorrectionSwitches, EachChangesItsRowsOfTheNumbersAfterTheYearEndAndNothingElse)
{
    const struct {
        const char *name;
        CorrectionChoice choice;
    } cases[] = {
        {"boekdata", {true, false, false}},
        {"boekdata en periode", {true, true, false}},
        {"betaaldata", {false, false, true}},
        {"alle drie", {true, true, true}},
        {"alleen periode", {false, true, false}}, // refines booking dates only: changes nothing
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Demo demo;
        ASSERT_TRUE(demo.opened);
        // A booking with one line still in the year: the whole booking moves, that line too.
        demo.sql(QStringLiteral("UPDATE GrootboekMutaties SET BoekingsDatum = '20261215', Periode = 12 WHERE ID = "
                                "(SELECT Min(ID) FROM GrootboekMutaties WHERE BoekstukNr = "
                                "(SELECT Max(BoekstukNr) FROM GrootboekMutaties))"));
        const State before = State::of(demo.db());
        demo.dialogs.script({kv::mb::Yes, kv::mb::Yes});

        BookingCorrection correction(demo.ctx);
        EXPECT_EQ(correction.run(c.choice, nullptr), BookingCorrection::Outcome::Done);

        expectCorrected(demo.db(), before, State::of(demo.db()), c.choice);
        EXPECT_EQ(demo.dialogs.prompts(), QStringList({correctie::Vraag.toString(), correctie::Herhaling.toString(),
                                                       correctie::Afgerond.toString()}));
        EXPECT_EQ(logText(demo.dataPad).count(kAfgerond), 1);
        EXPECT_TRUE(demo.dialogs.errors.isEmpty());
    }
}

TEST_F(Correction, NothingChosenOrANoChangesNothingAndLogsNothing)
{
    const State before = State::of(db());
    const struct {
        CorrectionChoice choice;
        std::initializer_list<int> answers;
        QStringList prompts;
        BookingCorrection::Outcome outcome;
    } cases[] = {
        {{}, {}, {correctie::GeenKeuze.toString()}, BookingCorrection::Outcome::Refused},
        {{true, true, true}, {kv::mb::No}, {correctie::Vraag.toString()}, BookingCorrection::Outcome::Cancelled},
        {{true, true, true}, {kv::mb::Yes, kv::mb::No}, {correctie::Vraag.toString(), correctie::Herhaling.toString()},
         BookingCorrection::Outcome::Cancelled},
        // Enter on either question answers its default, No.
        {{true, false, false}, {}, {correctie::Vraag.toString()}, BookingCorrection::Outcome::Cancelled},
    };
    for (const auto &c : cases) {
        dialogs.shown.clear();
        dialogs.script(c.answers);
        BookingCorrection correction(ctx);
        EXPECT_EQ(correction.run(c.choice, nullptr), c.outcome);
        EXPECT_EQ(dialogs.prompts(), c.prompts);
    }
    EXPECT_EQ(dialogs.shown[0].buttons, kv::mb::YesNo | kv::mb::Question | kv::mb::DefaultButton2);
    EXPECT_TRUE(State::of(db()) == before);
    EXPECT_EQ(logText(dataPad), QString());
}

// The period of the year end follows the administration's period type.
TEST_F(Correction, LinesGetThePeriodOfTheYearEndByThePeriodType)
{
    const std::pair<int, int> types[] = {{0, 1}, {1, 4}, {2, 12}, {3, 53}};
    const QString late = db().OpenQuery(QStringLiteral("SELECT Max(BoekstukNr) FROM Journaal"))->value(0).toString();
    int runs = 0;
    for (const auto &[type, period] : types) {
        sql(QStringLiteral("UPDATE UserGegevens SET BoekingsPeriode = %1").arg(type));
        // Put the booking back after the year end, as entered.
        sql(QStringLiteral("UPDATE GrootboekMutaties SET BoekingsDatum = '20270105', Periode = 1 WHERE BoekstukNr = '%1'").arg(late));
        sql(QStringLiteral("UPDATE Journaal SET BoekingsDatum = '20270105', Periode = 1 WHERE BoekstukNr = '%1'").arg(late));
        BookingCorrection correction(ctx);
        EXPECT_EQ(correction.yearEndPeriod(), period) << type;
        ASSERT_EQ(correction.perform({true, true, false}, nullptr), BookingCorrection::Outcome::Done);
        ++runs;
        for (const char *table : {"GrootboekMutaties", "Journaal"})
            EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM %1 WHERE BoekstukNr = '%2' AND BoekingsDatum = '20261231' AND "
                                           "Periode = %3").arg(QLatin1String(table), late).arg(period)),
                      count(QStringLiteral("SELECT Count(*) FROM %1 WHERE BoekstukNr = '%2'").arg(QLatin1String(table), late)))
                << table << " type " << type;
    }
    EXPECT_EQ(logText(dataPad).count(kAfgerond), runs);
}

TEST_F(Correction, ATrialCountsWhatTheRunChangesAndWritesNothing)
{
    const State before = State::of(db());
    BookingCorrection trial(ctx);
    ASSERT_EQ(trial.perform({true, true, true}, nullptr, true), BookingCorrection::Outcome::Done);
    EXPECT_TRUE(State::of(db()) == before);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(logText(dataPad), QString());

    BookingCorrection run(ctx);
    ASSERT_EQ(run.perform({true, true, true}, nullptr), BookingCorrection::Outcome::Done);
    const auto counts = [](const kv::finance::CorrectionCounts &c) {
        return std::vector<qint64>{c.grootboek, c.journaal, c.betalingen, c.openstaand, c.units};
    };
    EXPECT_EQ(counts(trial.counts()), counts(run.counts()));
    EXPECT_EQ(run.counts().grootboek, 120);
    EXPECT_GT(run.counts().journaal, 0);
    EXPECT_GT(run.counts().betalingen, 0);
    EXPECT_EQ(run.counts().openstaand, run.counts().betalingen); // one payment per item in the demo

    BookingCorrection again(ctx);
    ASSERT_EQ(again.perform({true, true, true}, nullptr, true), BookingCorrection::Outcome::Done);
    EXPECT_EQ(counts(again.counts()), std::vector<qint64>({0, 0, 0, 0, 0}));
}

// Another program has a line of the last booking open: the run stops there with the engine's
// error, the bookings before it stay corrected, and the closing line is not logged.
TEST_F(Correction, ALineAnotherProgramHoldsStopsTheRunAndKeepsTheUnitsBefore)
{
    // The first line of the ledger is the one the peer holds; make its booking the last one after the year end.
    const QString first = db().OpenQuery(QStringLiteral("SELECT BoekstukNr FROM GrootboekMutaties WHERE ID = 1"))->value(0).toString();
    for (const char *table : {"GrootboekMutaties", "Journaal"})
        sql(QStringLiteral("UPDATE %1 SET BoekstukNr = '999999', BoekingsDatum = '20270120' WHERE BoekstukNr = '%2'")
                .arg(QLatin1String(table), first));
    const int held = count(QStringLiteral("SELECT Count(*) FROM GrootboekMutaties WHERE BoekstukNr = '999999'"));

    QProcess peer;
    peer.start(QStringLiteral(EDITING_PEER), {QStringLiteral("lock"), dataPad, QStringLiteral("GrootboekMutaties")});
    ASSERT_TRUE(peer.waitForReadyRead(10000));
    ASSERT_EQ(peer.readLine().trimmed(), "locked");

    dialogs.script({kv::mb::Yes, kv::mb::Yes});
    BookingCorrection correction(ctx);
    EXPECT_EQ(correction.run({true, true, true}, nullptr), BookingCorrection::Outcome::Failed);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], u"Kan boekstuk 999999 niet corrigeren; een regel ervan wordt op dit moment door een andere "
                                 u"gebruiker bewerkt.\n\nFout 3260 bij: frmBoekhouding_CorrectieBoekPeriode: Corrigeren");
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM GrootboekMutaties WHERE BoekingsDatum > '20261231'")), held);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Journaal WHERE BoekingsDatum > '20261231' AND BoekstukNr <> '999999'")), 0);
    const QString log = logText(dataPad);
    EXPECT_FALSE(log.contains(kAfgerond));
    EXPECT_TRUE(log.contains(u"SYSTEEM   : + Actie         : frmBoekhouding_CorrectieBoekPeriode: Corrigeren\r\n"));
    EXPECT_TRUE(log.contains(u"ERROR     :  + Error        : 3260 -> "));

    peer.closeWriteChannel();
    ASSERT_TRUE(peer.waitForFinished(10000));
    dialogs.script({kv::mb::Yes, kv::mb::Yes});
    EXPECT_EQ(correction.run({true, true, true}, nullptr), BookingCorrection::Outcome::Done);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM GrootboekMutaties WHERE BoekingsDatum > '20261231'")), 0);
    EXPECT_EQ(logText(dataPad).count(kAfgerond), 1);
}

// The view: the year end in the locale's form in its texts, the switches bound to the run.
TEST_F(Correction, TheScreenShowsTheYearEndAndRunsWhatIsSwitchedOn)
{
    ctx.shortDateFormat = QStringLiteral("dd-mm-yyyy");
    ctx.dateSeparator = QStringLiteral("-");
    kv::finance::CorrectionScreen screen(ctx);
    screen.resize(900, 600);
    screen.show();
    const auto label = [&](const char *name) { return screen.findChild<QLabel *>(QLatin1String(name))->text(); };
    EXPECT_EQ(label("lblNa"), u"Er zijn na 31-12-2026 nog correctieboekingen doorgevoerd..");
    EXPECT_EQ(label("lblUitleg"), u" Hier kunt u deze boekingsdata, perioden en betaaldata corrigeren naar de laatste datum "
                                  u"van het boekjaar. ( 31-12-2026 )");
    EXPECT_EQ(screen.findChild<kv::YesNo *>(QStringLiteral("ynBoekdata"))->state(), u"off");

    // Only the payment dates.
    QTest::mouseClick(screen.findChild<kv::YesNo *>(QStringLiteral("ynBetaaldata")), Qt::LeftButton);
    dialogs.script({kv::mb::Yes, kv::mb::Yes});
    QTest::mouseClick(screen.findChild<QPushButton *>(QStringLiteral("cmdCorrigeren")), Qt::LeftButton);
    EXPECT_EQ(dialogs.prompts().value(2), correctie::Afgerond.toString());
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Betalingen WHERE BetaalDatum > '20261231'")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM GrootboekMutaties WHERE BoekingsDatum > '20261231'")), 120);
    EXPECT_FALSE(screen.findChild<QWidget *>(QStringLiteral("pnlBezig"))->isVisible());
    EXPECT_TRUE(screen.findChild<QPushButton *>(QStringLiteral("cmdCorrigeren"))->isEnabled());
}

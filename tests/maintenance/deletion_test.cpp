// The deleting jobs: what each keeps, what goes with a unit, the questions, and a relation's
// invoice history in the other file.
#include "core/db/database.h"
#include "core/db/statement.h"
#include "maintenance/deletion.h"
#include "maintenance/deletionscreen.h"
#include "maintenance/ordermove.h"
#include "schema/schema.h"
#include "support/demofixture.h"
#include "support/memorydir.h"
#include "support/toolprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <map>

using namespace kv;
using namespace kv::maintenance;
using namespace Qt::Literals::StringLiterals;

namespace {

class DeletionTest : public DemoTest {
protected:
    Deletion::Outcome perform(DeletionRequest request, bool trial = false)
    {
        Deletion deletion(ctx, request);
        const Deletion::Outcome outcome = deletion.perform(nullptr, trial);
        m_last = deletion.counts();
        return outcome;
    }
    DeletionCounts m_last;
};

// A marked relation goes with what hangs on it, unless one of the four reasons keeps it; its
// invoice history in the archive goes too, and no marker is left.
TEST_F(DeletionTest, MarkedRelationsGoUnlessSomethingKeepsThem)
{
    struct Case {
        QString relNr, setUp, kept;
    };
    const Case cases[] = {
        {u"T1"_s, {}, {}},
        {u"T2"_s, u"UPDATE RelatieGegevens SET Saldo = 12.5 WHERE RelNr = 'T2'"_s, u"saldo is niet 0"_s},
        {u"T3"_s, u"INSERT INTO Ordergegevens (OrderNr, RegelNr, RelNr, RecordCode) VALUES ('X3', 1, 'T3', 1)"_s, u"open orderregel"_s},
        {u"T4"_s, u"INSERT INTO FaktuurMutaties (RelNr, FactuurNr, Doorgeboekt) VALUES ('T4', 'F4', 0)"_s,
         u"factuurmutatie niet doorgeboekt"_s},
        {u"T5"_s, u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, Boekjaar) VALUES ('T5', 'F5', '2026')"_s,
         u"factuur in het lopende jaar"_s},
        {u"T6"_s, u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, Boekjaar) VALUES ('T6', 'TEGOED', '2026')"_s, {}},
        {u"T7"_s, u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, Boekjaar) VALUES ('T7', 'F7', '2025')"_s, {}},
    };
    session.DBAdmin().exec(u"UPDATE RelatieGegevens SET RecordCode = 1 WHERE RecordCode = 9"_s); // the demo's own stay out of it
    for (const Case &c : cases) {
        session.DBAdmin().exec(u"INSERT INTO RelatieGegevens (RelNr, RecordCode, Saldo) VALUES ('"_s + c.relNr + u"', 9, 0)"_s);
        if (!c.setUp.isEmpty())
            session.DBAdmin().exec(c.setUp);
    }
    session.DBAdmin().exec(u"INSERT INTO Abonnement (Guid, RelNr) VALUES ('{g1}', 'T1')"_s);
    session.DBAdmin().exec(u"INSERT INTO AbonnementIncasso (Guid) VALUES ('{g1}')"_s);
    session.DBArchief().exec(u"INSERT INTO FaktuurHistorie (RelNr, FactuurNr) VALUES ('T1', 'H1'), ('T2', 'H2')"_s);

    perform({DeletionRequest::Job::Relaties}, true);
    std::map<QString, QString> kept;
    for (const auto &[relNr, reason] : m_last.blijven)
        kept[relNr] = reason;
    perform({DeletionRequest::Job::Relaties});
    for (const Case &c : cases) {
        EXPECT_EQ(kept.count(c.relNr) ? kept[c.relNr] : QString(), c.kept) << c.relNr.toStdString();
        EXPECT_EQ(sql(u"SELECT COUNT(*) FROM RelatieGegevens WHERE RelNr = '"_s + c.relNr + u"'"_s), c.kept.isEmpty() ? u"0"_s : u"1"_s);
    }
    EXPECT_EQ(m_last.units, 3);
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM AbonnementIncasso WHERE Guid = '{g1}'"_s), u"0"_s);
    EXPECT_EQ(scalar(session.DBArchief(), u"SELECT group_concat(RelNr) FROM FaktuurHistorie WHERE RelNr LIKE 'T%'"_s), u"T2"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM OnderhoudLopend"_s), u"0"_s);

    // A run stopped after the working rows left and before the history: the next run finishes it.
    session.DBAdmin().exec(u"INSERT INTO OnderhoudLopend (Taak, Sleutel) VALUES ('relatie', 'T2')"_s);
    perform({DeletionRequest::Job::Relaties});
    EXPECT_EQ(scalar(session.DBArchief(), u"SELECT COUNT(*) FROM FaktuurHistorie WHERE RelNr = 'T2'"_s), u"0"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM OnderhoudLopend"_s), u"0"_s);
}

// A settled invoice (100 with 60 paid and 40 written off) before the date goes with its
// payments; an open one, one on the date, a credit balance and, with the switch, another
// relation's stay.
TEST_F(DeletionTest, SettledInvoicesBeforeTheDateGoWithTheirPayments)
{
    session.DBAdmin().exec(u"DELETE FROM OpenstaandePosten"_s);
    session.DBAdmin().exec(u"DELETE FROM Betalingen"_s);
    session.DBAdmin().exec(
        u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, FactuurDatum, FactuurBedrag, BedragBetaald, AfboekingsBedrag) VALUES "
        u"('100', 'A', '20150105', 100, 60, 40), ('100', 'B', '20150105', 100, 60, 0), ('100', 'C', '20150201', 50, 50, 0), "
        u"('100', 'TEGOED', '20150105', 0, 0, 0), ('9', 'D', '20150105', 80, 80, 0)"_s);
    session.DBAdmin().exec(u"INSERT INTO Betalingen (RelNr, FactuurNr, Bedrag) VALUES ('100', 'A', 60), ('100', 'B', 60), "
                           u"('9', 'D', 80)"_s);
    perform({DeletionRequest::Job::Facturen, u"20150201"_s, true});
    EXPECT_EQ(sql(u"SELECT group_concat(FactuurNr) FROM (SELECT FactuurNr FROM OpenstaandePosten ORDER BY 1)"_s), u"A,B,C,TEGOED"_s);
    perform({DeletionRequest::Job::Facturen, u"20150201"_s, false});
    EXPECT_EQ(sql(u"SELECT group_concat(FactuurNr) FROM (SELECT FactuurNr FROM OpenstaandePosten ORDER BY 1)"_s), u"B,C,TEGOED"_s);
    EXPECT_EQ(sql(u"SELECT group_concat(FactuurNr) FROM (SELECT FactuurNr FROM Betalingen ORDER BY 1)"_s), u"B"_s);
    EXPECT_EQ(m_last.units, 1);
}

// The year screens: four digits, not after this year; a recent year is warned about; a No
// writes nothing; a year's rows go and no other year's.
TEST_F(DeletionTest, AYearScreenAsksAndDeletesOnlyThatYear)
{
    const DeletionLook &trips = *std::find_if(deletionLooks().begin(), deletionLooks().end(),
                                              [](const DeletionLook &look) { return look.job == DeletionRequest::Job::Jaar && look.year->table == u"Ritgegevens"; });
    session.DBAdmin().exec(u"INSERT INTO Ritgegevens (RitNr, Einddatum) VALUES (9001, '20180630'), (9002, '20181231'), "
                           u"(9003, '20190101')"_s);
    DeletionScreen screen(ctx, trips);
    auto *year = screen.findChild<QLineEdit *>(u"txtDatum"_s);
    for (const QString &bad : {u"18"_s, u""_s, u"20x8"_s}) {
        year->setText(bad);
        screen.cmdDelete_Click();
        EXPECT_EQ(dialogs.prompts().last(), u"U heeft nog geen jaartal ingegeven."_s) << bad.toStdString();
    }
    year->setText(u"2027"_s);
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts().last(), u"Deze datum ligt in de toekomst.\nWijzig de datum."_s);

    year->setText(u"2025"_s);
    dialogs.script({mb::No});
    const QString before = sql(u"SELECT COUNT(*) FROM Ritgegevens"_s);
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts().last(),
              u"Let op:\nHet geselecteerde jaar ligt niet ver in het verleden.\nWeet u zeker dat u deze ritten wilt verwijderen?"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM Ritgegevens"_s), before);

    year->setText(u"2018"_s); // long enough ago: no warning, nor the law's seven years
    dialogs.script({mb::Yes});
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts().mid(dialogs.prompts().size() - 2),
              (QStringList{u"Weet u zeker dat u deze ritten wilt verwijderen?"_s, u"Er zijn 2 regel(s) verwijderd."_s}));
    EXPECT_EQ(sql(u"SELECT group_concat(RitNr) FROM Ritgegevens WHERE RitNr > 9000"_s), u"9003"_s);

    // Within the seven years the law keeps records, a further question.
    year->setText(u"2019"_s);
    dialogs.script({mb::Yes, mb::No});
    screen.cmdDelete_Click();
    EXPECT_TRUE(dialogs.prompts().last().startsWith(u"Let op:\nHiermee worden "_s)) << dialogs.prompts().last().toStdString();
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM Ritgegevens WHERE RitNr = 9003"_s), u"1"_s);
}

// All invoice information goes only with both declarations on, then in both files.
TEST_F(DeletionTest, AllInvoicesNeedBothDeclarations)
{
    const DeletionLook &all = *std::find_if(deletionLooks().begin(), deletionLooks().end(),
                                            [](const DeletionLook &look) { return look.job == DeletionRequest::Job::AlleFacturen; });
    DeletionScreen screen(ctx, all);
    const QString before = sql(u"SELECT COUNT(*) FROM OpenstaandePosten"_s);
    screen.cmdDelete_Click();
    EXPECT_TRUE(dialogs.prompts().isEmpty());
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM OpenstaandePosten"_s), before);
    perform({DeletionRequest::Job::AlleFacturen});
    EXPECT_EQ(sql(u"SELECT COUNT(*) + (SELECT COUNT(*) FROM Betalingen) + (SELECT COUNT(*) FROM FaktuurMutaties) "
                   u"FROM OpenstaandePosten"_s),
              u"0"_s);
    EXPECT_EQ(scalar(session.DBArchief(), u"SELECT COUNT(*) FROM FaktuurHistorie"_s), u"0"_s);
}

// Per unit of a job (a relation, an archived order, an invoice, a row), one count per query,
// "/"-joined; each query gives rows of (unit, count).
struct Counted {
    bool archive;
    QString sql;
};

std::map<QString, QString> unitStates(Session &session, const std::vector<Counted> &queries, std::map<QString, QString> states)
{
    for (size_t q = 0; q < queries.size(); ++q) {
        db::Statement rows = (queries[q].archive ? session.DBArchief() : session.DBAdmin()).prepareOnce(queries[q].sql);
        std::map<QString, QString> counts;
        while (rows.step())
            counts[rows.column(0).toString()] = rows.column(1).toString();
        for (auto &[unit, state] : states)
            state += (q ? u"/"_s : QString()) + (counts.count(unit) ? counts[unit] : u"0"_s);
        if (q == 0 && states.empty()) // the units themselves: those the first query finds at the start
            for (const auto &[unit, count] : counts)
                states[unit] = count;
    }
    return states;
}

// The deleting jobs killed after commits of a run (the console, a few units a group) and at
// moments spread over the tool's run: both files stay sound; each unit is whole, gone, or (a
// job that writes both files) in the one state between them it passes through; and a run after
// the kill ends as one uninterrupted run.
TEST_F(DeletionTest, AKilledDeletingJobLeavesEachUnitWholeOrGoneAndARunAfterItEndsAsOneWholeRun)
{
    const auto exec = [this](bool archive, const QString &sql) {
        (archive ? ctx.session->DBArchief() : ctx.session->DBAdmin()).exec(sql);
    };
    const QString forty = u"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 39) "_s;
    std::vector<Counted> archivedOrders;
    for (const auto &[work, archive] : schema::orderArchivePairs())
        archivedOrders.push_back({true, u"SELECT OrderNr, COUNT(*) FROM \""_s + QLatin1String(archive) + u"\" GROUP BY 1"_s});
    struct Job {
        QStringList args; // after the folder, as the tool and the console take them
        int units;        // per group in the console
        std::function<void()> setUp;
        std::vector<Counted> counted;
        QString between;  // a pattern; empty: none
    };
    const std::vector<Job> jobs = {
        {{u"relaties-verwijderen"_s}, 4,
         [&] {
             exec(false, u"UPDATE RelatieGegevens SET RecordCode = 1 WHERE RecordCode = 9"_s);
             exec(false, forty + u"INSERT INTO RelatieGegevens (RelNr, RecordCode, Saldo) SELECT printf('K%02d', i), 9, 0 FROM n"_s);
             exec(false, forty + u"INSERT INTO RelatieStatistiek (RelNr) SELECT printf('K%02d', i) FROM n"_s);
             exec(true, forty + u"INSERT INTO FaktuurHistorie (RelNr, FactuurNr) SELECT printf('K%02d', i), 'H' FROM n"_s);
         },
         {{false, u"SELECT RelNr, COUNT(*) FROM RelatieGegevens WHERE RelNr LIKE 'K%' GROUP BY 1"_s},
          {true, u"SELECT RelNr, COUNT(*) FROM FaktuurHistorie WHERE RelNr LIKE 'K%' GROUP BY 1"_s},
          {false, u"SELECT Sleutel, COUNT(*) FROM OnderhoudLopend GROUP BY 1"_s}},
         u"^0/[01]/1$"_s}, // gone from the working file under a marker, its history still there or gone too
        {{u"archief-verwijderen"_s, u"01-01-2026"_s}, 8,
         [&] { OrderMove(ctx, {OrderSelection::Job::Archiveren, u"20260101"_s, false}).perform(nullptr); }, archivedOrders, {}},
        {{u"facturen-verwijderen"_s, u"01-02-2015"_s}, 4,
         [&] {
             exec(false, forty + u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, FactuurDatum, FactuurBedrag, BedragBetaald) "
                                 u"SELECT '100', printf('KF%02d', i), '20150105', 100, 100 FROM n"_s);
             exec(false, forty + u"INSERT INTO Betalingen (RelNr, FactuurNr, Bedrag) SELECT '100', printf('KF%02d', i), 50 "
                                 u"FROM n, (SELECT 1 UNION ALL SELECT 2)"_s);
         },
         {{false, u"SELECT FactuurNr, COUNT(*) FROM OpenstaandePosten WHERE FactuurNr LIKE 'KF%' GROUP BY 1"_s},
          {false, u"SELECT FactuurNr, COUNT(*) FROM Betalingen WHERE FactuurNr LIKE 'KF%' GROUP BY 1"_s}},
         {}},
        {{u"alle-facturen-verwijderen"_s, u"--ik-weet-wat-ik-doe"_s, u"--niet-per-ongeluk"_s}, 4,
         [&] {
             exec(false, u"INSERT INTO FaktuurMutaties (RelNr, FactuurNr, Doorgeboekt) VALUES ('100', 'KM', 1)"_s);
             exec(true, u"INSERT INTO FaktuurHistorie (RelNr, FactuurNr) VALUES ('100', 'KH')"_s);
         },
         {{false, u"SELECT 'alles', COUNT(*) FROM OpenstaandePosten"_s}, {false, u"SELECT 'alles', COUNT(*) FROM Betalingen"_s},
          {false, u"SELECT 'alles', COUNT(*) FROM FaktuurMutaties"_s}, {true, u"SELECT 'alles', COUNT(*) FROM FaktuurHistorie"_s}},
         u"^0/0/0/[1-9][0-9]*$"_s}, // the working tables gone, the history not yet
        {{u"jaar-verwijderen"_s, u"ritten"_s, u"2018"_s}, 4,
         [&] { exec(false, forty + u"INSERT INTO Ritgegevens (RitNr, Einddatum) SELECT 9000 + i, printf('2018%02d15', i % 12 + 1) FROM n"_s); },
         {{false, u"SELECT RitNr, COUNT(*) FROM Ritgegevens WHERE RitNr >= 9000 GROUP BY 1"_s}}, {}},
    };
    const test::MemoryDir memory;
    const QString start = memory.filePath(u"start/"_s), work = memory.filePath(u"werk/"_s), reg = dir.filePath(u"tool.reg"_s);
    const QString pristine = memory.filePath(u"demo/"_s), setUpIn = memory.filePath(u"opzet/"_s);
    session.DBAdmin().exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    session.DBArchief().exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    test::copyFolder(ctx.DataPad, pristine);
    for (const Job &job : jobs) {
        SCOPED_TRACE(job.args.join(u' ').toStdString());
        std::map<QString, QString> before;
        {
            test::copyFolder(pristine, setUpIn);
            Session setUp;
            ASSERT_TRUE(setUp.OpenAdministratie(setUpIn));
            ctx.session = &setUp;
            ctx.DataPad = setUpIn;
            job.setUp();
            before = unitStates(setUp, job.counted, {});
        }
        test::copyFolder(setUpIn, start);
        ASSERT_GE(before.size(), 1u);

        const auto console = [&](int dieAt) {
            QProcess p;
            p.start(QStringLiteral(MAINTENANCE_PEER), QStringList{work, QString::number(job.units), QString::number(dieAt)} + job.args);
            p.waitForFinished(60000);
            return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        };
        const QStringList toolArgs = QStringList{job.args[0], work} + job.args.mid(1) + QStringList{u"--ja"_s, u"--bewaartermijn"_s};
        const auto states = [&] {
            Session after;
            EXPECT_TRUE(after.OpenAdministratie(work));
            std::map<QString, QString> none;
            for (const auto &[unit, state] : before)
                none[unit];
            return unitStates(after, job.counted, none);
        };
        // Sound files, and every unit as it was, as a whole run leaves it, or between the two.
        std::map<QString, QString> reference;
        const auto whole = [&](const QString &killed) {
            {
                Session after;
                ASSERT_TRUE(after.OpenAdministratie(work));
                for (db::Database *db : {&after.DBAdmin(), &after.DBArchief()})
                    ASSERT_EQ(scalar(*db, u"PRAGMA integrity_check"_s), u"ok"_s) << killed.toStdString();
            }
            for (const auto &[unit, state] : states())
                ASSERT_TRUE(state == before.at(unit) || state == reference.at(unit)
                            || (!job.between.isEmpty() && QRegularExpression(job.between).match(state).hasMatch()))
                    << unit.toStdString() << ' ' << state.toStdString() << " after " << killed.toStdString();
        };
        test::copyFolder(start, work);
        const QString uninterrupted = console(0);
        ASSERT_TRUE(uninterrupted.startsWith(u"commits "_s)) << uninterrupted.toStdString();
        reference = states();
        ASSERT_NE(reference, before);
        const int commits = uninterrupted.mid(8).toInt();
        for (int dieAt = 1; dieAt <= commits; dieAt += std::max(1, commits / 12)) {
            test::copyFolder(start, work);
            const QString killed = console(dieAt);
            ASSERT_TRUE(killed.startsWith(u"killed "_s)) << killed.toStdString();
            whole(killed + u" at commit "_s + QString::number(dieAt));
            console(0);
            ASSERT_EQ(states(), reference) << "after " << killed.toStdString() << " at commit " << dieAt;
        }

        test::copyFolder(start, work);
        QElapsedTimer timer;
        timer.start();
        ASSERT_EQ(test::runTool(reg, toolArgs).code, 0);
        const qint64 runMs = timer.elapsed();
        ASSERT_EQ(states(), reference);
        for (int kill = 1; kill <= 3; ++kill) {
            test::copyFolder(start, work);
            auto tool = test::startTool(reg, toolArgs);
            QThread::msleep(runMs * kill / 4);
            ::kill(pid_t(tool->processId()), SIGKILL);
            test::finish(*tool);
            whole(u"the tool killed after "_s + QString::number(runMs * kill / 4) + u" ms"_s);
            ASSERT_EQ(test::runTool(reg, toolArgs).code, 0);
            ASSERT_EQ(states(), reference) << "the tool killed after " << runMs * kill / 4 << " ms";
        }
    }
    ctx.session = &session;
}

} // namespace

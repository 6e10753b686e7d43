#include "correctionfixture.h"

#include "core/session/session.h"
#include "finance/correction/correction.h"
#include "support/memorydir.h"
#include "support/toolprocess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <random>

#include <gtest/gtest.h>
#include <signal.h>

using namespace correctiontest;
namespace correctie = kv::finance::correctie;

namespace {

// About 500 bookings after the year end, a few dozen of them payments.
const kv::demo::Scale kCrashScale{100, 60, 400, 3000, 400, 10, 1250};

class CorrectionTool : public ::testing::Test {
protected:
    using Result = kv::test::ToolResult;

    std::unique_ptr<QProcess> start(const QStringList &arguments)
    {
        return kv::test::startTool(dir.filePath(QStringLiteral("registry.reg")), QStringList{QStringLiteral("correctie")} + arguments);
    }
    Result run(const QStringList &arguments) { return kv::test::finish(*start(arguments)); }
    static State stateOf(const QString &dataPad)
    {
        kv::Session session;
        EXPECT_TRUE(session.OpenAdministratie(dataPad));
        return State::of(session.DBAdmin());
    }

    kv::test::MemoryDir dir;
};

const QStringList kAll{QStringLiteral("--boekdatum"), QStringLiteral("--periode"), QStringLiteral("--betaaldatum")};

} // namespace

TEST_F(CorrectionTool, RefusesWithoutASwitchCountsOnTrialAndFindsNothingAfterARun)
{
    const QString folder = copyOf(kv::demo::Scale::demo(), dir);
    const State before = stateOf(folder);

    Result refused = run({folder});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, correctie::GeenKeuze + u'\n');
    EXPECT_EQ(refused.out, QString());
    EXPECT_EQ(run({folder, folder, QStringLiteral("--boekdatum")}).code, 64);
    EXPECT_EQ(run({dir.filePath(QStringLiteral("Elders012026")), QStringLiteral("--boekdatum")}).code, 2);

    Result trial = run(QStringList{folder, QStringLiteral("--proef")} + kAll);
    EXPECT_EQ(trial.code, 0);
    EXPECT_TRUE(stateOf(folder) == before);
    EXPECT_EQ(logText(folder), QString());

    Result done = run(QStringList{folder} + kAll);
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(done.out, trial.out);
    EXPECT_TRUE(done.out.startsWith(u"GrootboekMutaties\t120\nJournaal\t")) << qPrintable(done.out);
    EXPECT_EQ(done.err, correctie::Afgerond + u'\n'); // no progress line: standard error is no terminal
    EXPECT_EQ(logText(folder).count(kAfgerond), 1);

    Result after = run(QStringList{folder, QStringLiteral("--proef")} + kAll);
    EXPECT_EQ(after.code, 0);
    EXPECT_EQ(after.out, QStringLiteral("GrootboekMutaties\t0\nJournaal\t0\nBetalingen\t0\nOpenstaandePosten\t0\n"));
}

// SIGTERM stops the run between two units: exit 130, whole units, no log line. On disk, where
// each unit waits for its commit, so that the run is still busy when the first units are in.
TEST_F(CorrectionTool, ATerminatedRunStopsBetweenUnitsAndSaysSo)
{
    QTemporaryDir disk;
    const QString folder = copyOf(kCrashScale, disk, QStringLiteral("Stop"));
    std::unique_ptr<QProcess> tool(start(QStringList{folder} + kAll));
    {
        kv::Session watch;
        ASSERT_TRUE(watch.OpenAdministratie(folder));
        auto corrected = [&] {
            return watch.DBAdmin().OpenQuery(QStringLiteral("SELECT Count(*) FROM GrootboekMutaties WHERE BoekingsDatum = '20261231'"))
                ->value(0).toInt();
        };
        const int before = corrected();
        while (corrected() == before && tool->state() == QProcess::Running)
            QThread::msleep(2);
    }
    tool->terminate();
    ASSERT_TRUE(tool->waitForFinished(10000));
    if (tool->exitCode() == 0)
        GTEST_SKIP() << "the run was over before it could be stopped";
    EXPECT_EQ(tool->exitCode(), 130);
    EXPECT_TRUE(QString::fromUtf8(tool->readAllStandardError()).startsWith(u"Onderbroken"));
    EXPECT_FALSE(logText(folder).contains(kAfgerond));
    EXPECT_EQ(run(QStringList{folder} + kAll).code, 0);
    EXPECT_EQ(logText(folder).count(kAfgerond), 1);
}

namespace {

// The rows of each unit of the correction, by table and row id.
struct Units {
    std::vector<std::vector<std::pair<QString, qint64>>> list;
};

// Booking units: the ledger and journal rows of each number with a row after the year end.
// Payment units: the payments of each payment number after the year end. Relation units: the
// open items whose date only the closing pass puts right.
Units unitsOf(kv::db::Database &db, const State &original, const QSet<qint64> &strayItems)
{
    Units units;
    auto group = [&](const QStringList &tables, const QString &dateField) {
        QSet<QString> late;
        for (const QString &table : tables)
            for (const auto &[id, row] : original[table])
                if (row[field(db, table, dateField)].toString() > kYearEnd)
                    late.insert(row[field(db, table, u"BoekstukNr")].toString().toCaseFolded());
        std::map<QString, std::vector<std::pair<QString, qint64>>> byNumber;
        for (const QString &table : tables)
            for (const auto &[id, row] : original[table]) {
                const QString number = row[field(db, table, u"BoekstukNr")].toString().toCaseFolded();
                if (late.contains(number))
                    byNumber[number].emplace_back(table, id);
            }
        for (auto &[number, rows] : byNumber)
            units.list.push_back(std::move(rows));
    };
    group({QStringLiteral("GrootboekMutaties"), QStringLiteral("Journaal")}, QStringLiteral("BoekingsDatum"));
    const size_t paymentsFrom = units.list.size();
    group({QStringLiteral("Betalingen")}, QStringLiteral("BetaalDatum"));
    // A payment unit takes along the open items of the invoices it pays.
    const QString payments = QStringLiteral("Betalingen"), items = QStringLiteral("OpenstaandePosten");
    auto invoice = [&](const QString &table, qint64 id) -> QString {
        const QVariantList &row = original[table].at(id);
        return row[field(db, table, u"RelNr")].toString().toCaseFolded() + u'|'
            + row[field(db, table, u"FactuurNr")].toString().toCaseFolded();
    };
    QHash<QString, std::vector<qint64>> itemsOf;
    for (const auto &[id, row] : original[items])
        itemsOf[invoice(items, id)].push_back(id);
    for (size_t u = paymentsFrom; u < units.list.size(); ++u) {
        QSet<QString> invoices;
        for (const auto &[table, id] : units.list[u])
            invoices.insert(invoice(table, id));
        for (const QString &paid : invoices)
            for (qint64 id : itemsOf.value(paid))
                units.list[u].emplace_back(items, id);
    }
    std::map<QString, std::vector<std::pair<QString, qint64>>> byRelation;
    for (qint64 id : strayItems)
        byRelation[original[items].at(id)[field(db, items, u"RelNr")].toString()].emplace_back(items, id);
    for (auto &[relNr, rows] : byRelation)
        units.list.push_back(std::move(rows));
    return units;
}

// Sum of the amounts per booking number, per table: a correction moves dates, never money.
std::map<QString, qint64> sums(kv::db::Database &db, const State &state)
{
    std::map<QString, qint64> total;
    for (const QString &table : {QStringLiteral("GrootboekMutaties"), QStringLiteral("Journaal"), QStringLiteral("Betalingen")})
        for (const auto &[id, row] : state[table])
            total[table + u'|' + row[field(db, table, u"BoekstukNr")].toString()] +=
                qRound64(row[field(db, table, u"Bedrag")].toDouble() * 10000);
    return total;
}

} // namespace

// The tool killed at 20 moments spread over its run, each time from the same start: the file is
// sound, nothing is lost or doubled, every unit is as it was or as a whole run leaves it, and
// nothing is logged. Run again after the last kill, it ends where one uninterrupted run ends.
TEST_F(CorrectionTool, AKilledRunLeavesWholeUnitsAndARunAfterItEndsAsOneWholeRun)
{
    const QString original = copyOf(kCrashScale, dir, QStringLiteral("Begin"));
    QSet<qint64> strayItems; // paid items whose date only the closing pass puts right
    {
        kv::Session session;
        ASSERT_TRUE(session.OpenAdministratie(original));
        auto rs = session.DBAdmin().OpenQuery(QStringLiteral(
            "SELECT ID FROM OpenstaandePosten WHERE BedragBetaald > 0 AND BetaalDatum <= '20261231' AND ID Mod 5 = 0"));
        for (; !rs->Eof(); rs->MoveNext())
            strayItems.insert(rs->value(0).toLongLong());
        session.DBAdmin().Execute(QStringLiteral("UPDATE OpenstaandePosten SET BetaalDatum = '' WHERE BedragBetaald > 0 AND "
                                                 "BetaalDatum <= '20261231' AND ID Mod 5 = 0"));
    }
    ASSERT_GT(strayItems.size(), 5);
    const State begin = stateOf(original);
    auto copy = [&](const QString &name) {
        const QString folder = dir.filePath(name + QStringLiteral("012026/"));
        QDir().mkpath(folder);
        for (const QString &file : QDir(original).entryList({QStringLiteral("*.sqlite")}, QDir::Files)) {
            QFile::remove(folder + file);
            QFile::copy(original + file, folder + file);
        }
        for (const QString &file : QDir(folder).entryList({QStringLiteral("*-wal"), QStringLiteral("*-shm"), QStringLiteral("*.log")}, QDir::Files))
            QFile::remove(folder + file);
        return folder;
    };

    // One whole run, timed, and one that ends at once (nothing chosen): the moments to kill at
    // are spread over what lies between, from opening and collecting to the open items.
    const QString whole = copy(QStringLiteral("Geheel"));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(run({whole}).code, 1);
    const qint64 starting = timer.restart();
    ASSERT_EQ(run(QStringList{whole} + kAll).code, 0);
    const qint64 duration = timer.elapsed();
    const State reference = stateOf(whole);

    kv::Session probe;
    ASSERT_TRUE(probe.OpenAdministratie(original));
    kv::db::Database &db = probe.DBAdmin();
    const Units units = unitsOf(db, begin, strayItems);
    int bookings = 0;
    for (const auto &unit : units.list)
        bookings += unit.front().first == u"GrootboekMutaties";
    ASSERT_GE(bookings, 500);
    const auto beginSums = sums(db, begin);

    std::mt19937 random(20261231);
    const int kills = 20;
    QString folder;
    int unitsSeenHalf = 0; // kills that left some units done and some not
    // A loaded machine stretches the run unevenly: a second round of moments when too few kills
    // found it half-way.
    for (int k = 0; k < kills || (unitsSeenHalf < 3 && k < 2 * kills); ++k) {
        SCOPED_TRACE(k);
        folder = copy(QStringLiteral("Kill"));
        // Stratified: one moment in each twentieth of the run's work.
        const double from = starting * 0.8, part = (std::max<double>(duration, starting) - from) / kills;
        const qint64 at = qint64(from + part * (k % kills + std::uniform_real_distribution<double>(0, 1)(random)));
        std::unique_ptr<QProcess> tool(start(QStringList{folder} + kAll));
        if (!tool->waitForFinished(int(at))) {
            ::kill(pid_t(tool->processId()), SIGKILL);
            tool->waitForFinished(10000);
        }
        const State state = stateOf(folder);
        {
            kv::Session session;
            ASSERT_TRUE(session.OpenAdministratie(folder));
            kv::db::Statement check = session.DBAdmin().prepareOnce(QStringLiteral("PRAGMA integrity_check"));
            ASSERT_TRUE(check.step());
            EXPECT_EQ(check.column(0).toString(), u"ok");
        }
        for (const QString &table : kTables)
            ASSERT_EQ(state[table].size(), begin[table].size()) << qPrintable(table);
        EXPECT_EQ(sums(db, state), beginSums);
        int done = 0;
        for (const auto &unit : units.list) {
            bool old = true, corrected = true;
            for (const auto &[table, id] : unit) {
                old = old && state[table].at(id) == begin[table].at(id);
                corrected = corrected && state[table].at(id) == reference[table].at(id);
            }
            EXPECT_TRUE(old || corrected) << "unit of " << qPrintable(unit.front().first) << " row " << unit.front().second;
            done += corrected && !old;
        }
        unitsSeenHalf += done > 0 && done < int(units.list.size());
        // Rows outside every unit are as they were or as a whole run leaves them.
        for (const QString &table : kTables)
            for (const auto &[id, row] : state[table])
                ASSERT_TRUE(row == begin[table].at(id) || row == reference[table].at(id)) << qPrintable(table) << id;
        // The line is written when all is done; a kill just after it may still find it.
        if (tool->exitStatus() == QProcess::CrashExit && !(state == reference)) {
            EXPECT_EQ(logText(folder), QString());
        }
        // Every fifth, run again to the end: the whole run's end, row for row.
        if (k % 5 == 2) {
            const bool finished = logText(folder).contains(kAfgerond);
            ASSERT_EQ(run(QStringList{folder} + kAll).code, 0);
            EXPECT_TRUE(stateOf(folder) == reference);
            EXPECT_EQ(logText(folder).count(kAfgerond), finished ? 2 : 1);
        }
    }
    // The moments are not wasted: many kills find the run half-way.
    EXPECT_GE(unitsSeenHalf, 3);
    std::printf("[ crash    ] %d units, %d of them bookings; a whole run %lld ms (%lld to start); %d kills half-way\n",
                int(units.list.size()), bookings, duration, starting, unitsSeenHalf);
}

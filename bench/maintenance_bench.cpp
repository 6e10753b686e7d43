// Moving every order of the large administration to the archive (the clean-up with a limit after
// the last order), on a fresh copy for every iteration, copied while the clock is stopped:
//   engine        OrderMove: groups of whole orders, each copied row by row with a marker, then
//                 deleted under the write lock, then the markers cleared; the orphan passes;
//   engine/1      the same with one order a group;
//   raw           the sqlite3 API with the archive attached, one transaction: INSERT ... SELECT
//                 and DELETE of the same selection, table by table, and the same orphan DELETEs;
//   trial, raw trial  the dry run against the raw SELECTs that count the same.
// And the jobs that delete, each against one raw transaction of DELETE ... WHERE with the same
// selection (the archive attached where the job reaches it):
//   purge         every order out of an archive that holds all of them (the archive's Verwijderen);
//   invoices      every settled invoice with its payments (facturen-verwijderen);
//   relations     10,000 marked relations with everything that hangs on them.
// Prints the ratios and the growth of resident memory. Run:
//   BEHEER_BENCH_SCRATCH=/dev/shm build/bench/maintenance_bench
#include "core/context.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "maintenance/deletion.h"
#include "maintenance/ordermove.h"
#include "ratioreporter.h"
#include "residentmemory.h"
#include "schema/schema.h"
#include "scratchcopy.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kLimit = u"20990101"_s; // after the last order: every order goes

const QString &scratch()
{
    static const QString folder = scratchFolder(u"Onderhoud012026"_s);
    return folder;
}

const char *const kOrphans[] = {"OrderNotitie", "OrderRitTussenLocaties", "Ritgegevens"};

std::map<std::string, double> g_growth;

// The engine on a fresh copy of `from`: `work` runs with the clock on.
template <typename Work>
void onEngine(benchmark::State &state, const char *name, Work work, const QString &from = largeAdministration())
{
    static QTemporaryDir home;
    static kv::RegistryFile registry(home.filePath(u"registry.reg"_s));
    static QuietDialogs dialogs;
    for (auto _ : state) {
        state.PauseTiming();
        freshCopy(scratch(), from);
        auto session = std::make_unique<kv::Session>();
        if (!session->OpenAdministratie(scratch()))
            std::abort();
        kv::Context ctx;
        ctx.DataPad = scratch();
        ctx.AdminJaar = u"2026"_s;
        ctx.session = session.get();
        ctx.registry = &registry;
        ctx.dialogs = &dialogs;
        const double start = resetPeak();
        state.ResumeTiming();
        work(ctx, state);
        state.PauseTiming();
        g_growth[name] = std::max(g_growth[name], statusMB("VmHWM:") - start);
        session.reset();
        state.ResumeTiming();
    }
}

void moveAll(benchmark::State &state, const char *name, int groupOrders)
{
    onEngine(state, name, [groupOrders](kv::Context &ctx, benchmark::State &s) {
        kv::maintenance::OrderMove move(ctx, {kv::maintenance::OrderSelection::Job::Opschonen, kLimit, false});
        move.groupOrders = groupOrders;
        move.perform(nullptr);
        s.counters["orders"] = double(move.counts().orders);
    });
}

void BM_Move_Engine(benchmark::State &state)
{
    moveAll(state, "engine", 256);
}

void BM_Move_EngineOneByOne(benchmark::State &state)
{
    moveAll(state, "engine, one order a group", 1);
}

void BM_Trial_Engine(benchmark::State &state)
{
    onEngine(state, "trial", [](kv::Context &ctx, benchmark::State &s) {
        kv::maintenance::OrderMove move(ctx, {kv::maintenance::OrderSelection::Job::Opschonen, kLimit, false});
        move.perform(nullptr, true);
        s.counters["orders"] = double(move.counts().orders);
    });
}

void exec(sqlite3 *db, const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error);
        std::abort();
    }
}

qint64 number(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr);
    const qint64 n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : 0;
    sqlite3_finalize(s);
    return n;
}

// The archive table's columns that the working table has, as the engine copies them.
QString columns(sqlite3 *db, const char *work, const char *archive)
{
    QStringList names;
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, "SELECT a.name FROM pragma_table_info(?1, 'a') AS a JOIN pragma_table_info(?2) AS w ON w.name = a.name",
                       -1, &s, nullptr);
    sqlite3_bind_text(s, 1, archive, -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 2, work, -1, SQLITE_STATIC);
    while (sqlite3_step(s) == SQLITE_ROW)
        names << u'"' + QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0))) + u'"';
    sqlite3_finalize(s);
    return names.join(u", ");
}

// The same selection and removals the engine makes, with the sqlite3 API.
void raw(bool trial)
{
    sqlite3 *db = openRaw(scratch() + u"KorvenalDB.sqlite"_s);
    exec(db, u"ATTACH DATABASE '"_s + scratch() + u"Archief.sqlite' AS a"_s);
    exec(db, u"BEGIN IMMEDIATE"_s);
    exec(db, u"CREATE TEMP TABLE weg AS SELECT OrderNr FROM Ordergegevens GROUP BY OrderNr "
             u"HAVING MAX(OrderDatum <> '' AND OrderDatum < '"_s + kLimit + u"') = 1"_s);
    const QString gone = u" WHERE OrderNr IN (SELECT OrderNr FROM temp.weg)"_s;
    for (const auto &[work, archive] : kv::schema::orderArchivePairs()) {
        const QString from = u" FROM \""_s + QLatin1String(work) + u'"' + gone;
        if (trial) {
            number(db, u"SELECT COUNT(*)"_s + from);
            continue;
        }
        const QString cols = columns(db, work, archive);
        exec(db, u"INSERT INTO a.\""_s + QLatin1String(archive) + u"\" (" + cols + u") SELECT " + cols + from);
        exec(db, u"DELETE"_s + from);
    }
    for (const char *table : kOrphans) {
        const QString orphans = u" FROM \""_s + QLatin1String(table) + u"\" AS t WHERE trim(coalesce(t.OrderNr, '')) <> '' "
                                u"AND NOT EXISTS (SELECT 1 FROM TempOrderGegevens AS o WHERE o.OrderNr = t.OrderNr) "
                                u"AND NOT EXISTS (SELECT 1 FROM Ordergegevens AS o WHERE o.OrderNr = t.OrderNr)"_s;
        if (trial)
            number(db, u"SELECT COUNT(*)"_s + orphans);
        else
            exec(db, u"DELETE"_s + orphans);
    }
    exec(db, trial ? u"ROLLBACK"_s : u"COMMIT"_s);
    sqlite3_close_v2(db);
}

template <typename Raw>
void onRaw(benchmark::State &state, Raw raw, const QString &from = largeAdministration())
{
    for (auto _ : state) {
        state.PauseTiming();
        freshCopy(scratch(), from);
        state.ResumeTiming();
        raw();
    }
}

void BM_Move_Raw(benchmark::State &state)
{
    onRaw(state, [] { raw(false); });
}

void BM_Trial_Raw(benchmark::State &state)
{
    onRaw(state, [] { raw(true); });
}

// A folder made once from the large administration by `make` (raw SQL on the working file
// with the archive attached as "a"), for the deleting jobs to start from.
template <typename Make>
QString madeFrom(const QString &name, Make make)
{
    const QString folder = QDir(scratch() + u"../"_s + name).absolutePath() + u'/';
    freshCopy(folder);
    sqlite3 *db = openRaw(folder + u"KorvenalDB.sqlite"_s);
    exec(db, u"ATTACH DATABASE '"_s + folder + u"Archief.sqlite' AS a"_s);
    exec(db, u"BEGIN IMMEDIATE"_s);
    make(db);
    exec(db, u"COMMIT"_s);
    exec(db, u"PRAGMA wal_checkpoint(TRUNCATE); PRAGMA a.wal_checkpoint(TRUNCATE)"_s);
    sqlite3_close_v2(db);
    return folder;
}

// Every order of the large administration also in the archive.
const QString &allArchived()
{
    static const QString folder = madeFrom(u"OnderhoudGearchiveerd"_s, [](sqlite3 *db) {
        for (const auto &[work, archive] : kv::schema::orderArchivePairs()) {
            const QString cols = columns(db, work, archive);
            exec(db, u"INSERT INTO a.\""_s + QLatin1String(archive) + u"\" (" + cols + u") SELECT " + cols + u" FROM \""
                         + QLatin1String(work) + u'"');
        }
    });
    return folder;
}

constexpr int kMarked = 10000;

// The first 10,000 relations marked for deletion, their balance 0.
const QString &relationsMarked()
{
    static const QString folder = madeFrom(u"OnderhoudGekenmerkt"_s, [](sqlite3 *db) {
        exec(db, u"UPDATE RelatieGegevens SET RecordCode = 1 WHERE RecordCode = 9"_s);
        exec(db, u"UPDATE RelatieGegevens SET RecordCode = 9, Saldo = 0 WHERE rowid IN "
                 u"(SELECT rowid FROM RelatieGegevens ORDER BY rowid LIMIT %1)"_s.arg(kMarked));
    });
    return folder;
}

void BM_Purge_Engine(benchmark::State &state)
{
    onEngine(
        state, "purge",
        [](kv::Context &ctx, benchmark::State &s) {
            kv::maintenance::OrderMove move(ctx, {kv::maintenance::OrderSelection::Job::Archiveren, kLimit, false});
            move.purge(nullptr);
            s.counters["orders"] = double(move.counts().orders);
        },
        allArchived());
}

void BM_Purge_Raw(benchmark::State &state)
{
    onRaw(
        state,
        [] {
            sqlite3 *db = openRaw(scratch() + u"Archief.sqlite"_s);
            exec(db, u"BEGIN IMMEDIATE"_s);
            exec(db, u"CREATE TEMP TABLE weg AS SELECT OrderNr FROM OrderGegevensArchief GROUP BY OrderNr "
                     u"HAVING MAX(OrderDatum <> '' AND OrderDatum < '"_s + kLimit + u"') = 1"_s);
            for (const auto &[work, archive] : kv::schema::orderArchivePairs())
                exec(db, u"DELETE FROM \""_s + QLatin1String(archive) + u"\" WHERE OrderNr IN (SELECT OrderNr FROM temp.weg)"_s);
            exec(db, u"COMMIT"_s);
            sqlite3_close_v2(db);
        },
        allArchived());
}

// The settled invoices the job takes, as it selects them.
const QString kSettled = u"FactuurDatum <> '' AND FactuurDatum < '"_s + kLimit + u"' AND FactuurNr <> 'TEGOED' AND "
                         u"round(coalesce(FactuurBedrag, 0) - coalesce(BedragBetaald, 0) - coalesce(AfboekingsBedrag, 0), 4) = 0"_s;

void BM_Invoices_Engine(benchmark::State &state)
{
    onEngine(state, "invoices", [](kv::Context &ctx, benchmark::State &s) {
        kv::maintenance::Deletion deletion(ctx, {kv::maintenance::DeletionRequest::Job::Facturen, kLimit, false, nullptr, 0});
        deletion.perform(nullptr);
        s.counters["invoices"] = double(deletion.counts().units);
    });
}

void BM_Invoices_Raw(benchmark::State &state)
{
    onRaw(state, [] {
        sqlite3 *db = openRaw(scratch() + u"KorvenalDB.sqlite"_s);
        exec(db, u"BEGIN IMMEDIATE"_s);
        exec(db, u"DELETE FROM Betalingen WHERE EXISTS (SELECT 1 FROM OpenstaandePosten AS o WHERE "_s + kSettled
                     + u" AND o.FactuurNr = Betalingen.FactuurNr AND o.RelNr = Betalingen.RelNr)"_s);
        exec(db, u"DELETE FROM OpenstaandePosten WHERE "_s + kSettled);
        exec(db, u"COMMIT"_s);
        sqlite3_close_v2(db);
    });
}

void BM_Relations_Engine(benchmark::State &state)
{
    onEngine(
        state, "relations",
        [](kv::Context &ctx, benchmark::State &s) {
            kv::maintenance::Deletion deletion(ctx, {kv::maintenance::DeletionRequest::Job::Relaties});
            deletion.perform(nullptr);
            s.counters["relations"] = double(deletion.counts().units);
        },
        relationsMarked());
}

// What goes with a relation, by the column holding its number, as the job removes it.
constexpr std::pair<const char *, const char *> kWithRelation[] = {
    {"FaktuurMutaties", "RelNr"}, {"OpenstaandePosten", "RelNr"}, {"Betalingen", "RelNr"}, {"Ordergegevens", "RelNr"},
    {"RelatieStatistiek", "RelNr"}, {"VoorraadInname", "RelNr"}, {"RelatieGegevensAfleverAdressen", "RelNr"},
    {"RelatieGegevensContactPersonen", "RelNr"}, {"OrderNotitie", "Relnr"}, {"Mandaten", "RelNr"},
    {"FGContractBeheer", "RelNr"}, {"FGContractDeellevering", "RelNr"}, {"FGVVKOrders", "RelatieNr"},
    {"AbonnementIncasso", nullptr}, {"Abonnement", "RelNr"}, {"RelatieGegevens", "RelNr"},
};

void BM_Relations_Raw(benchmark::State &state)
{
    onRaw(
        state,
        [] {
            sqlite3 *db = openRaw(scratch() + u"KorvenalDB.sqlite"_s);
            exec(db, u"ATTACH DATABASE '"_s + scratch() + u"Archief.sqlite' AS a"_s);
            exec(db, u"BEGIN IMMEDIATE"_s);
            exec(db, u"CREATE TEMP TABLE weg AS SELECT RelNr FROM RelatieGegevens AS r WHERE RecordCode = 9 "
                     u"AND coalesce(Saldo, 0) = 0 "
                     u"AND NOT EXISTS (SELECT 1 FROM Ordergegevens WHERE RelNr = r.RelNr AND RecordCode = 1) "
                     u"AND NOT EXISTS (SELECT 1 FROM FaktuurMutaties WHERE RelNr = r.RelNr AND NOT coalesce(Doorgeboekt, 0)) "
                     u"AND NOT EXISTS (SELECT 1 FROM OpenstaandePosten WHERE RelNr = r.RelNr AND FactuurNr <> 'TEGOED' "
                     u"AND CAST(Boekjaar AS INTEGER) >= 2026)"_s);
            const QString gone = u" IN (SELECT RelNr FROM temp.weg)"_s;
            exec(db, u"DELETE FROM a.FaktuurHistorie WHERE RelNr"_s + gone);
            for (const auto &[table, column] : kWithRelation)
                exec(db, column ? QString(u"DELETE FROM "_s + QLatin1String(table) + u" WHERE "_s + QLatin1String(column) + gone)
                                : QString(u"DELETE FROM AbonnementIncasso WHERE Guid IN (SELECT Guid FROM Abonnement WHERE RelNr"_s
                                          + gone + u')'));
            exec(db, u"COMMIT"_s);
            sqlite3_close_v2(db);
        },
        relationsMarked());
}

} // namespace

BENCHMARK(BM_Move_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Move_EngineOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Move_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Trial_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Trial_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Purge_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Purge_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Invoices_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Invoices_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Relations_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Relations_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    largeAdministration();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Moving every order, engine against raw", "BM_Move_Engine", "BM_Move_Raw");
    reporter.printRatio("One order a group against groups of 256", "BM_Move_EngineOneByOne", "BM_Move_Engine");
    reporter.printRatio("Trial against the raw SELECTs", "BM_Trial_Engine", "BM_Trial_Raw");
    reporter.printRatio("Purging the archive, engine against raw", "BM_Purge_Engine", "BM_Purge_Raw");
    reporter.printRatio("Settled invoices, engine against raw", "BM_Invoices_Engine", "BM_Invoices_Raw");
    reporter.printRatio("10,000 marked relations, engine against raw", "BM_Relations_Engine", "BM_Relations_Raw");
    for (const auto &[name, growth] : g_growth)
        std::printf("Resident memory grew %.1f MB at most during the %s's run\n", growth, name.c_str());
    for (const QString &made : QStringList{scratch(), scratch() + u"../OnderhoudGearchiveerd"_s, scratch() + u"../OnderhoudGekenmerkt"_s})
        QDir(made).removeRecursively();
    benchmark::Shutdown();
    return 0;
}

// The correction of bookings after the year end on the large administration (20,000 ledger
// lines in January of the next year, their journal lines and the payments made then), on a
// fresh copy for every iteration, copied while the clock is stopped:
//   engine      BookingCorrection, every switch on: a transaction per unit, the engine's kept
//               statements, each row locked as an edit locks it;
//   raw         the same collect and the same per-unit UPDATEs with the sqlite3 API, prepared
//               once, one transaction per unit, WAL and synchronous=FULL;
//   set-based   one transaction of whole-table UPDATEs: what writing unit by unit costs.
// Prints the ratio and each variant's peak memory after the table. Run:
//   build/bench/correction_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include "core/context.h"
#include "core/db/jetfunctions.h"
#include "core/dialogs.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "finance/correction/correction.h"
#include "largeadministration.h"
#include "scratchcopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ratioreporter.h"
#include "residentmemory.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr const char *kYearEnd = "20261231";
constexpr int kYearEndPeriod = 12; // month periods

const QString &scratch()
{
    static const QString folder = scratchFolder(u"Correctie012026"_s);
    return folder;
}

void freshCopy()
{
    ::freshCopy(scratch());
}

double g_baseline = 0;

void startPeak()
{
    g_baseline = resetPeak();
}

// Per variant: the peak, and its growth over the resident memory at the start of the work.
std::map<std::string, std::pair<double, double>> g_peaks;

void notePeak(benchmark::State &state, const char *name)
{
    const double peak = statusMB("VmHWM:");
    auto &[most, growth] = g_peaks[name];
    most = std::max(most, peak);
    growth = std::max(growth, peak - g_baseline);
    state.counters["peak_MB"] = peak;
    state.counters["growth_MB"] = peak - g_baseline;
}

void BM_Correction_Engine(benchmark::State &state)
{
    static QTemporaryDir home;
    static kv::RegistryFile registry(home.filePath(u"registry.reg"_s));
    static QuietDialogs dialogs;
    kv::finance::CorrectionCounts counts;
    for (auto _ : state) {
        state.PauseTiming();
        freshCopy();
        auto session = std::make_unique<kv::Session>();
        if (!session->OpenAdministratie(scratch()))
            std::abort();
        kv::Context ctx;
        ctx.DataPad = scratch();
        ctx.session = session.get();
        ctx.registry = &registry;
        ctx.dialogs = &dialogs;
        startPeak();
        state.ResumeTiming();

        kv::finance::BookingCorrection correction(ctx);
        if (correction.perform({true, true, true}, nullptr) != kv::finance::BookingCorrection::Outcome::Done)
            state.SkipWithError("the correction did not finish");

        state.PauseTiming();
        notePeak(state, "engine");
        counts = correction.counts();
        session.reset();
        state.ResumeTiming();
    }
    state.counters["units"] = double(counts.units);
    state.counters["rows"] = double(counts.grootboek + counts.journaal + counts.betalingen + counts.openstaand);
}

sqlite3 *openRaw()
{
    return ::openRaw(scratch() + u"KorvenalDB.sqlite"_s);
}

class Raw {
public:
    explicit Raw(sqlite3 *db) : m_db(db) {}
    ~Raw()
    {
        for (sqlite3_stmt *s : m_owned)
            sqlite3_finalize(s);
    }

    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(m_db));
            std::abort();
        }
        m_owned.push_back(s);
        return s;
    }
    void exec(const char *sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(m_db));
            std::abort();
        }
    }
    // Steps a statement to its end with texts bound from 1; returns the rows it changed.
    int run(sqlite3_stmt *s, std::initializer_list<std::string_view> texts)
    {
        int i = 1;
        for (std::string_view text : texts)
            sqlite3_bind_text(s, i++, text.data(), int(text.size()), SQLITE_TRANSIENT);
        while (sqlite3_step(s) == SQLITE_ROW) {
        }
        sqlite3_reset(s);
        return sqlite3_changes(m_db);
    }
    std::vector<std::string> column(sqlite3_stmt *s, std::initializer_list<std::string_view> texts)
    {
        int i = 1;
        for (std::string_view text : texts)
            sqlite3_bind_text(s, i++, text.data(), int(text.size()), SQLITE_TRANSIENT);
        std::vector<std::string> values;
        while (sqlite3_step(s) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(s, 0));
            values.emplace_back(text ? text : "");
        }
        sqlite3_reset(s);
        return values;
    }

private:
    sqlite3 *m_db;
    std::vector<sqlite3_stmt *> m_owned;
};

// The engine's work with the sqlite3 API: the same collect, the same units, the same rows.
qint64 rawCorrection(sqlite3 *db, qint64 &units)
{
    Raw raw(db);
    const std::string d = kYearEnd, period = std::to_string(kYearEndPeriod);
    std::vector<std::string> bookings, payments;
    std::set<std::string> seen;
    for (const char *sql : {"SELECT DISTINCT BoekstukNr FROM GrootboekMutaties WHERE BoekingsDatum > ?1 ORDER BY BoekstukNr",
                            "SELECT DISTINCT BoekstukNr FROM Journaal WHERE BoekingsDatum > ?1 ORDER BY BoekstukNr"})
        for (std::string &number : raw.column(raw.prepare(sql), {d}))
            if (seen.insert(number).second) // the numbers' case is the same here
                bookings.push_back(std::move(number));
    payments = raw.column(raw.prepare("SELECT DISTINCT BoekstukNr FROM Betalingen WHERE BetaalDatum > ?1 ORDER BY BoekstukNr"), {d});

    sqlite3_stmt *begin = raw.prepare("BEGIN IMMEDIATE"), *commit = raw.prepare("COMMIT");
    sqlite3_stmt *ledger = raw.prepare("UPDATE GrootboekMutaties SET BoekingsDatum = ?1, Periode = ?2 WHERE BoekstukNr = ?3 "
                                       "AND (BoekingsDatum IS NOT ?1 OR Periode IS NOT ?2)");
    sqlite3_stmt *journal = raw.prepare("UPDATE Journaal SET BoekingsDatum = ?1, Periode = ?2 WHERE BoekstukNr = ?3 "
                                        "AND (BoekingsDatum IS NOT ?1 OR Periode IS NOT ?2)");
    sqlite3_stmt *paid = raw.prepare("UPDATE Betalingen SET BetaalDatum = ?1 WHERE BoekstukNr = ?2 AND BetaalDatum IS NOT ?1");
    sqlite3_stmt *invoices = raw.prepare("SELECT DISTINCT RelNr || char(31) || FactuurNr FROM Betalingen WHERE BoekstukNr = ?1");
    sqlite3_stmt *item = raw.prepare(
        "UPDATE OpenstaandePosten SET BetaalDatum = (SELECT max(BetaalDatum) FROM Betalingen WHERE RelNr = ?1 AND FactuurNr = ?2) "
        "WHERE RelNr = ?1 AND FactuurNr = ?2 AND (SELECT max(BetaalDatum) FROM Betalingen WHERE RelNr = ?1 AND FactuurNr = ?2) "
        "IS NOT NULL AND ifnull(BetaalDatum, '') <> (SELECT max(BetaalDatum) FROM Betalingen WHERE RelNr = ?1 AND FactuurNr = ?2)");
    sqlite3_stmt *relations = raw.prepare(
        "SELECT DISTINCT o.RelNr FROM OpenstaandePosten o JOIN Betalingen b ON b.RelNr = o.RelNr AND b.FactuurNr = o.FactuurNr "
        "GROUP BY o.RelNr, o.FactuurNr, o.BetaalDatum HAVING max(b.BetaalDatum) <> ifnull(o.BetaalDatum, '') ORDER BY o.RelNr");
    sqlite3_stmt *relation = raw.prepare(
        "UPDATE OpenstaandePosten AS o SET BetaalDatum = m.latest FROM (SELECT RelNr, FactuurNr, max(BetaalDatum) AS latest "
        "FROM Betalingen WHERE RelNr = ?1 GROUP BY RelNr, FactuurNr) AS m WHERE o.RelNr = ?1 AND m.FactuurNr = o.FactuurNr "
        "AND m.latest IS NOT NULL AND ifnull(o.BetaalDatum, '') <> m.latest");

    qint64 rows = 0;
    for (const std::string &number : bookings) {
        raw.run(begin, {});
        rows += raw.run(ledger, {d, period, number});
        rows += raw.run(journal, {d, period, number});
        raw.run(commit, {});
        ++units;
    }
    for (const std::string &number : payments) {
        raw.run(begin, {});
        rows += raw.run(paid, {d, number});
        for (const std::string &invoice : raw.column(invoices, {number})) {
            const size_t split = invoice.find('\x1f');
            rows += raw.run(item, {std::string_view(invoice).substr(0, split), std::string_view(invoice).substr(split + 1)});
        }
        raw.run(commit, {});
        ++units;
    }
    for (const std::string &relNr : raw.column(relations, {})) {
        raw.run(begin, {});
        rows += raw.run(relation, {relNr});
        raw.run(commit, {});
        ++units;
    }
    return rows;
}

void BM_Correction_Raw(benchmark::State &state)
{
    qint64 rows = 0, units = 0;
    for (auto _ : state) {
        state.PauseTiming();
        freshCopy();
        sqlite3 *db = openRaw();
        startPeak();
        rows = units = 0;
        state.ResumeTiming();

        rows = rawCorrection(db, units);

        state.PauseTiming();
        notePeak(state, "raw");
        sqlite3_close_v2(db);
        state.ResumeTiming();
    }
    state.counters["units"] = double(units);
    state.counters["rows"] = double(rows);
}

// Everything in one transaction, table by table: the least the work can cost, and what a kill
// in the middle would lose entirely.
void BM_Correction_SetBased(benchmark::State &state)
{
    qint64 rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        freshCopy();
        sqlite3 *db = openRaw();
        startPeak();
        state.ResumeTiming();

        Raw raw(db);
        raw.exec("BEGIN IMMEDIATE");
        raw.exec("CREATE TEMP TABLE late AS SELECT BoekstukNr FROM GrootboekMutaties WHERE BoekingsDatum > '20261231' "
                 "UNION SELECT BoekstukNr FROM Journaal WHERE BoekingsDatum > '20261231'");
        raw.exec("UPDATE GrootboekMutaties SET BoekingsDatum = '20261231', Periode = 12 WHERE BoekstukNr IN (SELECT BoekstukNr FROM late)");
        rows = sqlite3_changes(db);
        raw.exec("UPDATE Journaal SET BoekingsDatum = '20261231', Periode = 12 WHERE BoekstukNr IN (SELECT BoekstukNr FROM late)");
        rows += sqlite3_changes(db);
        raw.exec("UPDATE Betalingen SET BetaalDatum = '20261231' WHERE BoekstukNr IN "
                 "(SELECT BoekstukNr FROM Betalingen WHERE BetaalDatum > '20261231')");
        rows += sqlite3_changes(db);
        raw.exec("UPDATE OpenstaandePosten AS o SET BetaalDatum = m.latest FROM (SELECT RelNr, FactuurNr, max(BetaalDatum) AS latest "
                 "FROM Betalingen GROUP BY RelNr, FactuurNr) AS m WHERE m.RelNr = o.RelNr AND m.FactuurNr = o.FactuurNr "
                 "AND m.latest IS NOT NULL AND ifnull(o.BetaalDatum, '') <> m.latest");
        rows += sqlite3_changes(db);
        raw.exec("DROP TABLE late");
        raw.exec("COMMIT");

        state.PauseTiming();
        notePeak(state, "set-based");
        sqlite3_close_v2(db);
        state.ResumeTiming();
    }
    state.counters["rows"] = double(rows);
}


} // namespace

BENCHMARK(BM_Correction_Engine)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Correction_Raw)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Correction_SetBased)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    largeAdministration();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Engine against raw, per unit", "BM_Correction_Engine", "BM_Correction_Raw");
    reporter.printRatio("Per unit against one transaction (raw)", "BM_Correction_Raw", "BM_Correction_SetBased");
    for (const auto &[name, peak] : g_peaks)
        std::printf("Peak resident memory, %s: %.1f MB, %.1f MB above its start\n", name.c_str(), peak.first, peak.second);
    QDir(scratch()).removeRecursively();
    benchmark::Shutdown();
    return 0;
}

// A year's depreciation of 10,000 assets (the demo administration with 10,000 assets added,
// every method, life, frequency and start between 2005 and 2026):
//   engine   the register read through the engine and the tool's table written to a file, as
//            `korvenal-admin afschrijvingen` makes it;
//   raw      the same columns read with the sqlite3 API, writing as many bytes to a file.
// Prints the ratio and the growth of resident memory during the engine's run. Run:
//   build/bench/assets_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include "core/context.h"
#include "core/db/database.h"
#include "core/session/session.h"
#include "demo/demoadministration.h"
#include "finance/assets/assetsjob.h"
#include "ratioreporter.h"
#include "residentmemory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kJaar = 2026;
QTemporaryDir *g_dir = nullptr;
qint64 g_bytes = 0;
double g_growth = 0;

QString folder()
{
    return g_dir->filePath(u"Activa012026/"_s);
}

// The demo with 10,000 more assets, spread over the groups, methods and starting months.
void prepare()
{
    kv::demo::createDemoAdministratie(folder());
    kv::Session session;
    if (!session.OpenAdministratie(folder()))
        std::abort();
    session.DBAdmin().exec(
        u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
        u"INSERT INTO ActivaRegistratie (InternNr, RecordCode, ActivaGroep, WOZBeperking, Omschrijving, Locatie, "
        u"Aanschafdatum, StartDatumAfschrijvingen, AanschafWaarde, RestWaarde, BasisBedragAfschrijving, WOZwaarde, "
        u"HerInvesteringsReserve, Methode, Looptijd, Percentage, BoekingsFrequentie) "
        u"SELECT 100 + i, 1, 1 + i % 4, i % 7 = 0, 'Activum ' || i, 'Ommen', "
        u"printf('%04d%02d01', 2005 + i % 22, 1 + i % 12), printf('%04d%02d01', 2005 + i % 22, 1 + i % 12), "
        u"1000 + (i * 7919) % 250000, (i % 5) * 100, 0, CASE WHEN i % 7 = 0 THEN 500 + (i * 31) % 100000 ELSE 0 END, 0, "
        u"i % 3, 3 + i % 28, 10 + i % 25 + 0.1234, CASE i % 3 WHEN 0 THEN 1 WHEN 1 THEN 4 ELSE 12 END FROM n"_s);
}

void BM_Assets_Engine(benchmark::State &state)
{
    kv::Session session;
    if (!session.OpenAdministratie(folder()))
        std::abort();
    kv::Context ctx;
    ctx.session = &session;
    ctx.DataPad = folder();
    for (auto _ : state) {
        state.PauseTiming();
        const double start = resetPeak();
        state.ResumeTiming();
        QFile out(g_dir->filePath(u"engine.tsv"_s));
        out.open(QIODevice::WriteOnly);
        const auto activa = kv::finance::assets::leesActiva(ctx);
        kv::finance::assets::jaaroverzicht(
            activa, kJaar, kv::finance::assets::jaarInstellingen(ctx, kJaar).heleEuros,
            [&](const QString &regel) {
                out.write(regel.toUtf8());
                out.write("\n", 1);
            },
            [](const auto &, const QStringList &) {});
        out.close();
        g_bytes = QFile(out.fileName()).size();
        g_growth = std::max(g_growth, statusMB("VmHWM:") - start);
        state.counters["assets"] = double(activa.size());
    }
}

void BM_Assets_Raw(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(folder() + u"KorvenalDB.sqlite"_s).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        std::FILE *out = std::fopen(QFile::encodeName(g_dir->filePath(u"raw.tsv"_s)).constData(), "w");
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT r.InternNr, r.Omschrijving, g.ActivaGroep, g.InternNr, r.AanschafWaarde, r.RestWaarde, "
                           "r.BasisBedragAfschrijving, r.HerInvesteringsReserve, r.WOZwaarde, r.WOZBeperking, r.Aanschafdatum, "
                           "r.StartDatumAfschrijvingen, r.Methode, r.Looptijd, r.Percentage, r.BoekingsFrequentie "
                           "FROM ActivaRegistratie AS r LEFT JOIN ActivaGroepen AS g ON g.InternNr = r.ActivaGroep "
                           "ORDER BY r.InternNr",
                           -1, &s, nullptr);
        qint64 written = 0;
        while (sqlite3_step(s) == SQLITE_ROW)
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                const int n = sqlite3_column_bytes(s, i);
                written += qint64(std::fwrite(sqlite3_column_text(s, i), 1, size_t(n), out)) + 1;
                std::fputc('\t', out);
            }
        sqlite3_finalize(s);
        for (; written < g_bytes; ++written) // as many bytes as the table
            std::fputc(' ', out);
        std::fclose(out);
    }
    sqlite3_close_v2(db);
}

} // namespace

BENCHMARK(BM_Assets_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Assets_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    prepare();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Engine against raw", "BM_Assets_Engine", "BM_Assets_Raw");
    std::printf("Table: %.1f MB; resident memory grew %.1f MB during the engine's run at most\n", g_bytes / 1e6, g_growth);
    benchmark::Shutdown();
    return 0;
}

// A year's depreciation of 10,000 assets (the demo administration with 10,000 assets added,
// every method, life, frequency and start between 2005 and 2026):
//   engine   the register read through the engine and the tool's table written to a file, as
//            `korvenal-admin afschrijvingen` makes it;
//   raw      the same columns read with the sqlite3 API, writing as many bytes to a file.
// And the Sorbex link window's scan of an installation with 1,000 administrations:
//   engine   `sorbexAdministraties`: each folder's membership database found, its password
//            file looked for, opened read-only, the password checked, the name read;
//   raw      the same folders listed, each database opened read-only with the sqlite3 API, the
//            same password check (4096 rounds of SHA-256, as the file format asks of any
//            reader) and the name read with one SELECT.
// Prints the ratios and the growth of resident memory during the engine's run. Run:
//   build/bench/assets_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include "core/context.h"
#include "core/db/database.h"
#include "core/session/session.h"
#include "core/session/session.h"
#include "demo/demoadministration.h"
#include "demo/sorbex.h"
#include "finance/assets/assetsjob.h"
#include "finance/subadmin/sorbexscan.h"
#include "ratioreporter.h"
#include "residentmemory.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kJaar = 2026;
constexpr int kAdministraties = 1000;
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

    // The Sorbex installation: its program, its password file and the administrations.
    const QString sorbex = g_dir->filePath(u"Sorbex/"_s);
    QDir().mkpath(sorbex);
    QFile program(sorbex + u"Sorbex.exe"_s), password(sorbex + u"sorbex.pwd"_s);
    program.open(QIODevice::WriteOnly);
    password.open(QIODevice::WriteOnly);
    password.write(kv::EncodeerWachtwoord(u"ledenadmin"_s).toLatin1() + "\r\n");
    password.close();
    for (int i = 0; i < kAdministraties; ++i)
        kv::demo::createLeden(sorbex + u"data/L"_s + QString::number(i).rightJustified(5, u'0'), u"ledenadmin"_s,
                              u"Gemeente "_s + QString::number(i));
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

void BM_Scan_Engine(benchmark::State &state)
{
    for (auto _ : state)
        state.counters["found"] = double(kv::finance::sorbexAdministraties(g_dir->filePath(u"Sorbex"_s)).size());
}

void BM_Scan_Raw(benchmark::State &state)
{
    const QString data = g_dir->filePath(u"Sorbex/data/"_s);
    for (auto _ : state) {
        int found = 0;
        for (const QString &map : QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            sqlite3 *db = nullptr;
            const QByteArray uri = "file:" + QFile::encodeName(data + map + u"/Leden.sqlite"_s) + "?immutable=1";
            sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
            sqlite3_stmt *s = nullptr;
            sqlite3_prepare_v2(db, "SELECT (SELECT value FROM kv_meta WHERE name = 'salt'), "
                                   "(SELECT value FROM kv_meta WHERE name = 'verifier'), "
                                   "(SELECT Kerknaam FROM Instellingen LIMIT 1)", -1, &s, nullptr);
            if (sqlite3_step(s) == SQLITE_ROW) {
                const QByteArray salt(static_cast<const char *>(sqlite3_column_blob(s, 0)), sqlite3_column_bytes(s, 0));
                QByteArray digest = salt + QByteArrayLiteral("ledenadmin");
                for (int round = 0; round < 4096; ++round)
                    digest = QCryptographicHash::hash(QByteArray(salt + digest), QCryptographicHash::Sha256);
                found += digest == QByteArray(static_cast<const char *>(sqlite3_column_blob(s, 1)), sqlite3_column_bytes(s, 1))
                      && sqlite3_column_bytes(s, 2) > 0;
            }
            sqlite3_finalize(s);
            sqlite3_close_v2(db);
        }
        state.counters["found"] = found;
    }
}

} // namespace

BENCHMARK(BM_Assets_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Assets_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Scan_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Scan_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    reporter.printRatio("Scan against raw", "BM_Scan_Engine", "BM_Scan_Raw");
    std::printf("Table: %.1f MB; resident memory grew %.1f MB during the engine's run at most\n", g_bytes / 1e6, g_growth);
    benchmark::Shutdown();
    return 0;
}

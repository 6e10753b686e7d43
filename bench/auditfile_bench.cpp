// The audit file of the large administration (1,000,000 ledger lines, 20,000 relations), with
// VAT and cost centres:
//   export   maakAuditfile as the screen and the tool run it: the sections into a temp file,
//            its sync, the schema check, the rename;
//   write    the sections alone, through the same writer into a file, synced;
//   check    the schema check alone, of the file the export made;
//   raw      the same rows and columns in the same order with the sqlite3 API (relations, the
//            chart, the ledger lines per journal by BoekstukNr, ID), writing as many bytes to a
//            file in the same folder, synced.
// First the peak memory of korvenal-admin making the audit file of the large administration and
// of the demo, each run as a child process; after the table the ratios. Run:
//   build/bench/auditfile_bench --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include "core/db/database.h"
#include "core/db/jetfunctions.h"
#include "core/jobs/jobsession.h"
#include "finance/auditfile/auditfile.h"
#include "finance/auditfile/schemacheck.h"
#include "finance/auditfile/sections.h"
#include "finance/auditfile/xmlwriter.h"
#include "largeadministration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ratioreporter.h"
#include "toolpeak.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
namespace xaf = kv::finance::auditfile;

namespace {

const xaf::Opties kOpties{.kostenplaatsen = true, .btw = true};

// The files are written beside the large administration (the same disk), or in the folder
// $BEHEER_BENCH_SCRATCH names.
const QString &scratch()
{
    static const QString folder = [] {
        const QString chosen = qEnvironmentVariable("BEHEER_BENCH_SCRATCH");
        const QString parent = chosen.isEmpty() ? largeAdministration() + u".."_s : chosen;
        const QString path = QDir(parent + u"/Auditfile"_s).absolutePath() + u'/';
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

QString exported() { return scratch() + u"export.xaf"_s; }

// The tool's session on the large administration, opened once: what the tool has open before
// it starts the export.
kv::JobSession &job()
{
    static kv::JobSession *session = [] {
        auto *s = new kv::JobSession(false);
        if (!s->open(largeAdministration()))
            std::abort();
        return s;
    }();
    return *session;
}

qint64 g_bytes = 0; // the size of the file the export made; what raw writes

void BM_Auditfile_Export(benchmark::State &state)
{
    qint64 lines = 0;
    for (auto _ : state) {
        const xaf::Resultaat made = xaf::maakAuditfile(job().ctx, exported(), kOpties);
        g_bytes = made.bytes;
        lines = made.regels;
    }
    state.counters["MB"] = double(g_bytes) / 1e6;
    state.counters["trLines"] = double(lines);
}

void BM_Auditfile_Write(benchmark::State &state)
{
    const QString path = scratch() + u"write.xaf"_s;
    qint64 bytes = 0;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        kv::db::Database &db = job().session.DBAdmin();
        db.BeginReadTrans();
        {
            xaf::XmlWriter out(file);
            xaf::Secties(job().ctx, out, kOpties).all();
            if (!out.flush())
                std::abort();
            bytes = out.written();
        }
        db.Rollback();
        file.flush();
        ::fsync(file.handle());
    }
    QFile::remove(path);
    state.counters["MB"] = double(bytes) / 1e6;
}

void BM_Auditfile_Check(benchmark::State &state)
{
    if (!QFile::exists(exported()))
        xaf::maakAuditfile(job().ctx, exported(), kOpties);
    for (auto _ : state)
        if (!xaf::controleerBestand(exported()).geldig())
            state.SkipWithError("the file does not pass the schema");
}

class RawFile {
public:
    explicit RawFile(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644))
    {
        m_buffer.reserve(kBlock + 4096);
    }
    ~RawFile() { ::close(m_fd); }
    void add(const void *data, size_t size)
    {
        m_buffer.append(static_cast<const char *>(data), size);
        if (m_buffer.size() >= kBlock)
            flush();
    }
    void row(sqlite3_stmt *s)
    {
        for (int i = 0, n = sqlite3_column_count(s); i < n; ++i) {
            const unsigned char *text = sqlite3_column_text(s, i);
            add(text ? text : reinterpret_cast<const unsigned char *>(""), size_t(sqlite3_column_bytes(s, i)));
            add("\t", 1);
        }
        add("\n", 1);
    }
    // Fills up to `bytes` (the export's size), then syncs as the export does.
    void finish(qint64 bytes)
    {
        flush();
        const std::string filler(kBlock, ' ');
        while (m_written < bytes)
            write(filler.data(), size_t(std::min<qint64>(kBlock, bytes - m_written)));
        ::fsync(m_fd);
    }
    qint64 written() const { return m_written; }

private:
    static constexpr size_t kBlock = 256 * 1024;
    void flush()
    {
        write(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }
    void write(const char *data, size_t size)
    {
        if (::write(m_fd, data, size) != ssize_t(size))
            std::abort();
        m_written += qint64(size);
    }
    int m_fd;
    std::string m_buffer;
    qint64 m_written = 0;
};

sqlite3_stmt *prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        std::abort();
    }
    return s;
}

void scan(sqlite3_stmt *s, RawFile &out)
{
    while (sqlite3_step(s) == SQLITE_ROW)
        out.row(s);
    sqlite3_finalize(s);
}

// `mapped`: the database mapped into memory as the engine maps it (256 MB), or read through
// SQLite's page cache only, which keeps the resident memory small.
void raw(benchmark::State &state, bool mapped)
{
    if (g_bytes == 0)
        g_bytes = QFileInfo(exported()).size();
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(largeAdministration() + u"KorvenalDB.sqlite"_s).constData(), &db,
                        SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        std::abort();
    kv::db::registerJetFunctions(db); // the collation is part of the file format
    sqlite3_exec(db, mapped ? "PRAGMA cache_size = -16384; PRAGMA temp_store = MEMORY; PRAGMA mmap_size = 268435456"
                            : "PRAGMA cache_size = -16384; PRAGMA temp_store = MEMORY; PRAGMA mmap_size = 0",
                 nullptr, nullptr, nullptr);
    const QString path = scratch() + u"raw.txt"_s;
    for (auto _ : state) {
        RawFile out(path);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        scan(prepare(db, "SELECT * FROM RelatieGegevens ORDER BY RelNr"), out);
        scan(prepare(db, "SELECT GrootboekReknr, Omschrijving, Soortrek FROM RekeningSchema ORDER BY GrootboekReknr"), out);
        std::vector<std::string> journals;
        sqlite3_stmt *codes = prepare(db, "SELECT DagboekCode FROM GrootboekMutaties WHERE coalesce(Periode, -1) <> 0 "
                                          "GROUP BY DagboekCode ORDER BY MIN(ID)");
        while (sqlite3_step(codes) == SQLITE_ROW)
            journals.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(codes, 0)));
        sqlite3_finalize(codes);
        for (const std::string &code : journals) {
            sqlite3_stmt *lines = prepare(db, "SELECT * FROM GrootboekMutaties WHERE DagboekCode = ? "
                                              "AND coalesce(Periode, -1) <> 0 ORDER BY BoekstukNr, ID");
            sqlite3_bind_text(lines, 1, code.data(), int(code.size()), SQLITE_STATIC);
            scan(lines, out);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.counters["data_MB"] = double(out.written()) / 1e6;
        out.finish(g_bytes);
    }
    sqlite3_close_v2(db);
    QFile::remove(path);
}

void BM_Auditfile_Raw(benchmark::State &state) { raw(state, true); }
void BM_Auditfile_RawUnmapped(benchmark::State &state) { raw(state, false); }

// ------------------------------------------------------------------ memory of the tool

void printMemory()
{
    QTemporaryDir home;
    const QString registry = home.filePath(u"registry.reg"_s);
    std::ifstream self("/proc/self/status");
    const std::string own((std::istreambuf_iterator<char>(self)), std::istreambuf_iterator<char>());
    std::printf("This process, which starts the tool: %.1f MB resident\n", statusKB(own, "VmRSS:") / 1024);
    const QString demo = scratch() + u"Demo012026"_s;
    QDir(demo).removeRecursively();
    if (runTool({u"demo"_s, demo}, registry).exitCode != 0)
        return;
    const QStringList opties{u"--kostenplaatsen"_s, u"--btw"_s};
    const Peak small = runTool(QStringList{u"auditfile"_s, demo, scratch() + u"demo.xaf"_s} + opties, registry);
    const Peak large = runTool(QStringList{u"auditfile"_s, largeAdministration(), exported()} + opties, registry);
    for (const auto &[name, p] : {std::pair{"demo", small}, std::pair{"large", large}})
        std::printf("korvenal-admin auditfile, %s administration: exit %d, peak resident %.1f MB "
                    "(sampled peaks: own %.1f MB, mapped files %.1f MB)\n",
                    name, p.exitCode, p.maxRss, p.anon, p.file);
    std::printf("Peak resident memory, large against demo: %.1f MB more (own memory: %.1f MB more)\n",
                large.maxRss - small.maxRss, large.anon - small.anon);
    QDir(demo).removeRecursively();
    QFile::remove(scratch() + u"demo.xaf"_s);
}

} // namespace

BENCHMARK(BM_Auditfile_Export)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Auditfile_Write)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Auditfile_Check)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Auditfile_Raw)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Auditfile_RawUnmapped)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // The tool's session keeps the user's registry out of it.
    QTemporaryDir home;
    qputenv("BEHEER_REGISTRY", QFile::encodeName(home.filePath(u"registry.reg"_s)));
    largeAdministration();
    // Before the benchmarks: a child's peak counts the memory it had as a copy of this process
    // until it became the tool, so this process must still be small.
    if (qEnvironmentVariable("BEHEER_BENCH_MEMORY") != u"0")
        printMemory();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Export against raw", "BM_Auditfile_Export", "BM_Auditfile_Raw");
    reporter.printRatio("Write against raw", "BM_Auditfile_Write", "BM_Auditfile_Raw");
    reporter.printRatio("Check against raw", "BM_Auditfile_Check", "BM_Auditfile_Raw");
    reporter.printRatio("Check against write", "BM_Auditfile_Check", "BM_Auditfile_Write");
    reporter.printRatio("Raw unmapped against mapped", "BM_Auditfile_RawUnmapped", "BM_Auditfile_Raw");
    QDir(scratch()).removeRecursively();
    benchmark::Shutdown();
    return 0;
}

// The largest table of the Northwind sample (Order Details, 2,155 rows) brought over as the
// import brings it: read with the Jet reader, written through the engine (into the side
// database, as the schema does not know it), one transaction, in a temp folder that is then put on
// disk and in place as the job does. Against the raw work: mdb-export
// of the same table to /dev/null plus the same rows inserted with the sqlite3 API alone in one
// transaction. Run:
//   build/bench/import_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "core/jobs/targetfile.h"
#include "migration/importer.h"
#include "migration/jetreader.h"
#include "ratioreporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString Nwind = QStringLiteral(MDB_DATA "/nwind.mdb");
QTemporaryDir *g_dir = nullptr;

// The reader, showing only its largest table.
class LargestTable : public kv::migration::SourceReader {
public:
    LargestTable() : m_reader(Nwind)
    {
        for (const auto &table : m_reader.tables())
            if (table.rows > m_table.rows)
                m_table = table;
    }
    QString path() const override { return m_reader.path(); }
    std::vector<kv::migration::SourceTable> tables() override { return {m_table}; }
    void read(const kv::migration::SourceTable &table, const std::function<bool(const kv::migration::Row &)> &visit) override
    {
        m_reader.read(table, visit);
    }
    kv::migration::SourceTable m_table;

private:
    kv::migration::JetReader m_reader;
};

void BM_Import(benchmark::State &state)
{
    const QString folder = g_dir->filePath(u"import"_s);
    qint64 rows = 0;
    for (auto _ : state) {
        QDir(folder).removeRecursively();
        kv::TargetFile target(folder);
        QDir().mkpath(target.tempPath());
        {
            LargestTable source;
            kv::migration::Report report;
            kv::migration::Importer importer({}, target.tempPath(), {}, report, nullptr);
            importer.copy(source);
            rows = importer.counts().front().written;
        } // its files closed, as the job closes them before the folder goes in place
        target.commit();
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Raw(benchmark::State &state)
{
    LargestTable source;
    std::vector<kv::migration::Row> rows;
    source.read(source.m_table, [&](const kv::migration::Row &row) { rows.push_back(row); return true; });
    const QByteArray path = QFile::encodeName(g_dir->filePath(u"raw.sqlite"_s));
    for (auto _ : state) {
        QProcess exporter;
        exporter.setStandardOutputFile(u"/dev/null"_s);
        exporter.start(u"mdb-export"_s, {Nwind, source.m_table.name});
        exporter.waitForFinished(-1);
        QFile::remove(QString::fromUtf8(path));
        sqlite3 *db = nullptr;
        sqlite3_open(path.constData(), &db);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"
                         "CREATE TABLE t (OrderID INTEGER, ProductID INTEGER, UnitPrice REAL, Quantity INTEGER, Discount REAL)",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?, ?, ?, ?, ?)", -1, &insert, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const auto &row : rows) {
            sqlite3_bind_int64(insert, 1, row[0].toLongLong());
            sqlite3_bind_int64(insert, 2, row[1].toLongLong());
            sqlite3_bind_double(insert, 3, row[2].toLongLong() / 10000.0);
            sqlite3_bind_int64(insert, 4, row[3].toLongLong());
            sqlite3_bind_double(insert, 5, row[4].toDouble());
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_finalize(insert);
        sqlite3_close(db);
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows.size()), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Import against mdb-export plus raw insert", "BM_Import", "BM_Raw");
    return 0;
}

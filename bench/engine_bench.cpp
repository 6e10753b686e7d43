// The engine against raw SQLite on a large administration: opening the session, walking a big
// table in index order, and seeking single records. Run:
//   build/bench/engine_bench [--benchmark_filter=...]
// The administration is generated once into $BEHEER_BENCH_DIR (default build/bench-data).
#include "core/db/database.h"
#include "core/db/jetfunctions.h"
#include "core/db/recordset.h"
#include "core/session/datafiles.h"
#include "core/session/session.h"
#include "largeadministration.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

namespace {

kv::db::Database &mainDatabase()
{
    static auto db = kv::db::Database::open(largeAdministration() + QStringLiteral("KorvenalDB.sqlite"), QString());
    return *db;
}

// A raw connection to the same file with the same collation, as the limit to measure against.
sqlite3 *rawConnection()
{
    static sqlite3 *raw = [] {
        kv::db::Database &db = mainDatabase();
        sqlite3 *handle = nullptr;
        sqlite3_open_v2(QFile::encodeName(db.path()).constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
        kv::db::registerJetFunctions(handle); // the collation is part of the file format
        sqlite3_exec(handle, "PRAGMA mmap_size = 268435456; PRAGMA cache_size = -16384", nullptr, nullptr, nullptr);
        return handle;
    }();
    return raw;
}

struct WalkTarget {
    QString table;
    QStringList fields;    // read on every record
    QString orderBy;       // the PrimaryKey fields, for the raw query
};

WalkTarget target(const QString &table)
{
    kv::db::Database &db = mainDatabase();
    const kv::db::TableInfo &info = db.table(table);
    WalkTarget t{info.name, {}, {}};
    for (size_t i = 0; i < info.columns.size() && t.fields.size() < 4; ++i)
        t.fields << info.columns[i].name;
    QStringList keys;
    for (int column : info.index(QStringLiteral("PrimaryKey"))->columns)
        keys << u'"' + info.columns[size_t(column)].name + u'"';
    t.orderBy = keys.join(u',');
    return t;
}

void walkEngine(benchmark::State &state, const QString &table)
{
    const WalkTarget t = target(table);
    qint64 rows = 0;
    for (auto _ : state) {
        auto rs = mainDatabase().OpenTable(t.table);
        rs->setIndex(QStringLiteral("PrimaryKey"));
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            for (const QString &field : t.fields)
                benchmark::DoNotOptimize(rs->value(field));
            ++rows;
        }
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}

// Steps a raw statement to its end reading its first `columns` columns as a walk reads fields
// (texts become QStrings); the number of rows.
qint64 readAll(sqlite3_stmt *stmt, int columns)
{
    qint64 rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                                                           sqlite3_column_bytes(stmt, c)));
            else
                benchmark::DoNotOptimize(sqlite3_column_double(stmt, c));
        }
        ++rows;
    }
    return rows;
}

void walkRaw(benchmark::State &state, const QString &table)
{
    const WalkTarget t = target(table);
    const QByteArray sql = QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY %3")
                               .arg(u'"' + t.fields.join(QStringLiteral("\",\"")) + u'"', t.table, t.orderBy)
                               .toUtf8();
    qint64 rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(rawConnection(), sql.constData(), -1, &stmt, nullptr);
        rows += readAll(stmt, int(t.fields.size()));
        sqlite3_finalize(stmt);
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}

// One ledger account with 200,000 lines of one date: a walk by the account index runs through
// a single long run of equal keys. Added to the generated administration once, here.
const QString &busyAccount()
{
    static const QString account = [] {
        const QString nr = QStringLiteral("BENCH-RUN");
        auto count = mainDatabase().OpenQuery(
            QStringLiteral("SELECT Count(*) AS n FROM GrootboekMutaties WHERE GrootboekReknr = '%1'").arg(nr));
        if (count->value(u"n").toInt() == 0)
            mainDatabase().exec(QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
                "INSERT INTO GrootboekMutaties (GrootboekReknr, BoekingsDatum, Omschrijving, Bedrag) "
                "SELECT '%1', '20260101', 'Regel ' || i, i FROM n").arg(nr));
        return nr;
    }();
    return account;
}

void BM_WalkAccountEngine(benchmark::State &state)
{
    const WalkTarget t = target(QStringLiteral("GrootboekMutaties"));
    const QString &account = busyAccount();
    qint64 rows = 0;
    for (auto _ : state) {
        auto rs = mainDatabase().OpenTable(t.table);
        rs->setIndex(QStringLiteral("GrootboekReknr"));
        for (rs->Seek(u"=", account); !rs->NoMatch() && !rs->Eof() && rs->text(u"GrootboekReknr") == account;
             rs->MoveNext()) {
            for (const QString &field : t.fields)
                benchmark::DoNotOptimize(rs->value(field));
            ++rows;
        }
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}

void BM_WalkAccountRaw(benchmark::State &state)
{
    const WalkTarget t = target(QStringLiteral("GrootboekMutaties"));
    const QByteArray account = busyAccount().toUtf8();
    const QByteArray sql = QStringLiteral("SELECT \"GrootboekReknr\", %1 FROM GrootboekMutaties WHERE GrootboekReknr = ?1 "
                                          "ORDER BY GrootboekReknr, BoekingsDatum, rowid")
                               .arg(u'"' + t.fields.join(QStringLiteral("\",\"")) + u'"')
                               .toUtf8();
    qint64 rows = 0;
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(rawConnection(), sql.constData(), -1, &stmt, nullptr);
        sqlite3_bind_text(stmt, 1, account.constData(), int(account.size()), SQLITE_STATIC);
        rows += readAll(stmt, int(t.fields.size()) + 1);
        sqlite3_finalize(stmt);
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}

// The keys to seek: every article number, in a fixed random order.
const QStringList &articleKeys()
{
    static const QStringList keys = [] {
        QStringList all;
        auto rs = mainDatabase().OpenTable(QStringLiteral("Artikelen"));
        const QString key = rs->FieldName(mainDatabase().table(QStringLiteral("Artikelen")).index(QStringLiteral("PrimaryKey"))->columns[0]);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            all << rs->text(key);
        std::shuffle(all.begin(), all.end(), QRandomGenerator(2026));
        return all;
    }();
    return keys;
}

void BM_SeekEngine(benchmark::State &state)
{
    const QStringList &keys = articleKeys();
    auto rs = mainDatabase().OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    const QString field = rs->FieldName(1);
    qsizetype i = 0;
    for (auto _ : state) {
        rs->Seek(u"=", keys[i++ % keys.size()]);
        benchmark::DoNotOptimize(rs->value(field));
    }
}

void BM_SeekRaw(benchmark::State &state)
{
    const QStringList &keys = articleKeys();
    const kv::db::TableInfo &info = mainDatabase().table(QStringLiteral("Artikelen"));
    const QString key = info.columns[size_t(info.index(QStringLiteral("PrimaryKey"))->columns[0])].name;
    const QByteArray sql = QStringLiteral("SELECT * FROM Artikelen WHERE \"%1\" = ?1").arg(key).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(rawConnection(), sql.constData(), -1, &stmt, nullptr);
    qsizetype i = 0;
    for (auto _ : state) {
        const QByteArray k = keys[i++ % keys.size()].toUtf8();
        sqlite3_bind_text(stmt, 1, k.constData(), int(k.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(stmt) == SQLITE_ROW)
            benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)),
                                                       sqlite3_column_bytes(stmt, 1)));
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
}

void BM_SessionOpen(benchmark::State &state)
{
    for (auto _ : state) {
        kv::Session session;
        if (!session.OpenAdministratie(largeAdministration()))
            state.SkipWithError("the administration did not open");
    }
}

} // namespace

BENCHMARK(BM_SessionOpen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(walkEngine, GrootboekMutaties, QStringLiteral("GrootboekMutaties"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(walkRaw, GrootboekMutaties, QStringLiteral("GrootboekMutaties"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(walkEngine, Ordergegevens, QStringLiteral("Ordergegevens"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(walkRaw, Ordergegevens, QStringLiteral("Ordergegevens"))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkAccountEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkAccountRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeekEngine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeekRaw)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    largeAdministration();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

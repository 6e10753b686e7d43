// The search window on the large administration's 100,000 articles: the fill of the whole
// table and prefix searches, through the window's logic and through the window itself, against
// raw SQLite running the same translated query. Run:
//   build/bench/selection_bench [--benchmark_filter=...]
#include "core/context.h"
#include "core/db/jetfunctions.h"
#include "core/db/jetsql.h"
#include "core/dialogs.h"
#include "core/session/session.h"
#include "editing/selection/frmselectiescherm.h"
#include "editing/selection/selectiequery.h"
#include "largeadministration.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

class StilleDialogen : public kv::DialogService {
public:
    int MsgBox(const QString &, int, const QString &) override { return kv::mb::OK; }
    void DisplayError(const QString &message, bool) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    bool OpenDocument(const QString &) override { return true; }
};

kv::Context &context()
{
    static StilleDialogen dialogen;
    static kv::Session session;
    static kv::Context ctx = [] {
        kv::Context c;
        if (!session.OpenAdministratie(largeAdministration()))
            std::abort();
        c.session = &session;
        c.dialogs = &dialogen;
        return c;
    }();
    return ctx;
}

sqlite3 *rawConnection()
{
    static sqlite3 *raw = [] {
        sqlite3 *handle = nullptr;
        sqlite3_open_v2(QFile::encodeName(largeAdministration() + QStringLiteral("KorvenalDB.sqlite")).constData(),
                        &handle, SQLITE_OPEN_READWRITE, nullptr);
        kv::db::registerJetFunctions(handle);
        sqlite3_exec(handle, "PRAGMA mmap_size = 268435456; PRAGMA cache_size = -16384", nullptr, nullptr, nullptr);
        return handle;
    }();
    return raw;
}

struct Zoeking {
    QString tekst;
    int volgorde;
};

void logica(benchmark::State &state, const Zoeking &z)
{
    size_t rijen = 0;
    for (auto _ : state) {
        kv::SelectieScherm s(context(), QStringLiteral("frmartikelen"));
        s.zoek(z.tekst, z.volgorde);
        rijen = s.rijen().size();
    }
    state.counters["rows"] = double(rijen);
}

void venster(benchmark::State &state, const Zoeking &z)
{
    size_t rijen = 0;
    for (auto _ : state) {
        kv::frmSelectieScherm w(context(), QStringLiteral("frmartikelen"));
        w.show();
        w.keuzeCombo()->setCurrentIndex(z.volgorde);
        w.zoekVeld()->setText(z.tekst);
        w.zoeken();
        QApplication::processEvents();
        rijen = w.logica().rijen().size();
    }
    state.counters["rows"] = double(rijen);
}

// The same translated query on a plain connection, every column turned into a QString.
void raw(benchmark::State &state, const Zoeking &z)
{
    const QString jet = kv::selectieQuery(*kv::selectieKind(u"frmartikelen").bouwer, z.tekst, z.volgorde);
    const QByteArray sql = kv::db::translateJetSql(jet).sql.toUtf8();
    size_t rijen = 0;
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(rawConnection(), sql.constData(), -1, &stmt, nullptr);
        rijen = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c) {
                const auto *tekst = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                benchmark::DoNotOptimize(QString::fromUtf8(tekst, sqlite3_column_bytes(stmt, c)));
            }
            ++rijen;
        }
        sqlite3_finalize(stmt);
    }
    state.counters["rows"] = double(rijen);
}

const Zoeking alles{QStringLiteral("*"), 0};
const Zoeking nummer{QStringLiteral("0123"), 0};
const Zoeking omschrijving{QStringLiteral("winter"), 1};

} // namespace

BENCHMARK_CAPTURE(logica, Fill100k, alles)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(venster, Fill100k, alles)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(raw, Fill100k, alles)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(logica, PrefixNumber, nummer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(raw, PrefixNumber, nummer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(logica, PrefixDescription, omschrijving)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(raw, PrefixDescription, omschrijving)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Read the table once, so that the first benchmark does not pay for a cold file cache.
    kv::SelectieScherm(context(), QStringLiteral("frmartikelen")).zoek(QStringLiteral("*"), 0);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

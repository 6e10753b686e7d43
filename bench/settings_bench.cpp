// Option screens on the large administration: opening one and saving the invoicing options,
// against the least the same work costs with the raw sqlite3 API on the same file. Prints the
// ratios (median when repeated) after the table. Run:
//   build/bench/settings_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "company/options/optionscreens.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "editing/options/optionslogic.h"
#include "largeadministration.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "ratioreporter.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

// The screen whose opening is measured: the system screen, with its counters, locks and accounts.
const QString OpenedScreen = u"frmSysteem"_s;

class QuietDialogs : public kv::DialogService {
public:
    int MsgBox(const QString &, int, const QString &) override { return kv::mb::OK; }
    void DisplayError(const QString &message, bool) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    bool OpenDocument(const QString &) override { return true; }
};

const kv::options::OptionScreen &screen(const QString &name)
{
    for (const kv::options::OptionScreen &s : kv::company::optionScreens())
        if (s.screen == name)
            return s;
    std::fprintf(stderr, "no screen %s\n", qPrintable(name));
    std::abort();
}

// A console on the large administration, with a registry of its own that holds a value for
// every registry option of every screen, as on a workstation in use.
kv::Context &context()
{
    static QTemporaryDir home;
    static kv::RegistryFile registry(home.filePath(u"registry.reg"_s));
    static QuietDialogs dialogs;
    static kv::Session session;
    static kv::Context ctx = [] {
        if (!session.OpenAdministratie(largeAdministration()))
            std::abort();
        registry.createKey(kv::RegKeyKorvenal);
        kv::Registry::Values values;
        for (const kv::options::OptionScreen &s : kv::company::optionScreens())
            for (const kv::options::Option &option : s.options)
                if (option.place == kv::options::Place::Registry)
                    values.emplace_back(option.name, u"0"_s);
        registry.SchrijfRegistry(kv::RegKeyKorvenal, values);
        kv::Context c;
        c.DataPad = largeAdministration();
        c.session = &session;
        c.registry = &registry;
        c.dialogs = &dialogs;
        c.user = u"bench"_s;
        c.workstation = u"PC-01"_s;
        return c;
    }();
    return ctx;
}

sqlite3 *rawConnection()
{
    static sqlite3 *raw = [] {
        sqlite3 *handle = nullptr;
        sqlite3_open_v2(QFile::encodeName(largeAdministration() + u"KorvenalDB.sqlite"_s).constData(), &handle,
                        SQLITE_OPEN_READWRITE, nullptr);
        // As the engine writes: WAL (kept in the file) with a full sync at every commit.
        sqlite3_exec(handle, "PRAGMA synchronous = FULL; PRAGMA busy_timeout = 10000", nullptr, nullptr, nullptr);
        return handle;
    }();
    return raw;
}

void rawExec(const char *sql)
{
    if (sqlite3_exec(rawConnection(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(rawConnection()));
}

void BM_OpenScreen_Options(benchmark::State &state)
{
    const kv::options::OptionScreen &s = screen(OpenedScreen);
    for (auto _ : state) {
        kv::options::OptionsLogic logic(context(), s);
        benchmark::DoNotOptimize(logic.state(0));
    }
    state.SetLabel(s.screen.toStdString());
}

void BM_OpenScreen_Raw(benchmark::State &state)
{
    static const char *const tables[] = {"UserGegevens", "InstellingenLog", "RelatieGegevens",
                                         "Artikelen",    "Ordergegevens",   "GrootboekMutaties"};
    for (auto _ : state) {
        for (const char *table : tables) {
            const QByteArray sql = QByteArray("SELECT 1 FROM ") + table + " LIMIT 1";
            sqlite3_stmt *stmt = nullptr;
            if (sqlite3_prepare_v2(rawConnection(), sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
                state.SkipWithError(sqlite3_errmsg(rawConnection()));
                return;
            }
            benchmark::DoNotOptimize(sqlite3_step(stmt));
            sqlite3_finalize(stmt);
        }
    }
}

// One database toggle and one registry toggle switched, in turn on and off, and saved.
void BM_SaveInvoicing_Options(benchmark::State &state)
{
    const kv::options::OptionScreen &s = screen(u"frmFactureren"_s);
    kv::options::OptionsLogic logic(context(), s);
    int database = -1, registry = -1;
    for (int i = 0; i < int(s.options.size()); ++i) {
        if (s.options[size_t(i)].control == u"toggle 1")
            database = i; // VerzamelOrders
        if (s.options[size_t(i)].control == u"toggle 0")
            registry = i; // Factureren_KopieFactuur
    }
    for (auto _ : state) {
        const QString next = logic.state(database) == u"on" ? u"off"_s : u"on"_s;
        logic.setState(database, next);
        logic.setState(registry, next);
        if (!logic.save())
            state.SkipWithError("the save did not land");
    }
}

// The least the database part can cost: one transaction with the column and one row of the trail.
void BM_SaveInvoicing_Raw(benchmark::State &state)
{
    int value = 0;
    for (auto _ : state) {
        value = 1 - value;
        rawExec("BEGIN IMMEDIATE");
        sqlite3_stmt *update = nullptr;
        sqlite3_prepare_v2(rawConnection(), "UPDATE UserGegevens SET VerzamelOrders = ?1", -1, &update, nullptr);
        sqlite3_bind_int(update, 1, value);
        sqlite3_step(update);
        sqlite3_finalize(update);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(rawConnection(),
                           "INSERT INTO InstellingenLog (ID, SaveNr, Tijdstip, Gebruiker, Werkstation, Formulier, "
                           "Plaats, Naam, OudeWaarde, NieuweWaarde) "
                           "SELECT ifnull(max(ID), 0) + 1, 0, '20261207101500', 'bench', 'PC-01', 'frmFactureren', "
                           "'DB', 'UserGegevens.VerzamelOrders', ?1, ?2 FROM InstellingenLog",
                           -1, &insert, nullptr);
        sqlite3_bind_int(insert, 1, 1 - value);
        sqlite3_bind_int(insert, 2, value);
        sqlite3_step(insert);
        sqlite3_finalize(insert);
        rawExec("COMMIT");
    }
}


} // namespace

BENCHMARK(BM_OpenScreen_Options)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenScreen_Raw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveInvoicing_Options)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveInvoicing_Raw)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    context();
    rawConnection();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Open an option screen (options against raw)", "BM_OpenScreen_Options", "BM_OpenScreen_Raw");
    reporter.printRatio("Save the invoicing options (options against raw)", "BM_SaveInvoicing_Options", "BM_SaveInvoicing_Raw");
    benchmark::Shutdown();
    return 0;
}

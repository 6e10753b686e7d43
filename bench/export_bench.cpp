// The articles of the large administration exported as the tool exports them: the search kind
// frmartikelen for every article number that starts with 0 (99,999 rows of 17 columns).
//   xlsx, csv     the search streamed into exportList: each text typed, the hidden temp file,
//                 its sync and rename;
//   raw xlsx      the search's own query run with the sqlite3 API alone, written by libxlsxwriter in constant
//                 memory as the same cells (numbers with the amount format, texts with "@")
//                 and the same widths;
//   raw csv       the same query, its texts with fwrite.
// First the peak memory of korvenal-admin exporting 9,999 and 99,999 rows, each run as a
// child process; after the table the ratios. Run:
//   build/bench/export_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
#include "core/context.h"
#include "core/db/jetfunctions.h"
#include "core/db/jetsql.h"
#include "core/session/session.h"
#include "editing/selection/selectiescherm.h"
#include "export/exporter.h"
#include "largeadministration.h"
#include "ratioreporter.h"
#include "toolpeak.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <iterator>

using namespace Qt::StringLiterals;

namespace {

kv::Context *g_ctx = nullptr;
QTemporaryDir *g_dir = nullptr;

// The search's own query as the engine runs it, and its columns in the list's order.
QByteArray g_query;
const char *const Columns[] = {"Artikelnummer", "Zoektekst", "Omschrijving1", "Omschrijving2", "Inkoopprijs",
                               "PrijsPer", "Verpakking", "Eenheid", "Verkoopprijs1", "Verkoopprijs2", "Verkoopprijs3",
                               "Artikelgroep", "LevArtikelnummer", "Leveranciersnummer1", "Leveranciersnummer2",
                               "Grootboeknummer", "BTWCode"};
constexpr int ColumnCount = int(std::size(Columns));

void console(benchmark::State &state, const char *file)
{
    const QString path = g_dir->filePath(QString::fromLatin1(file));
    for (auto _ : state) {
        kv::SelectieScherm search(*g_ctx, u"frmartikelen"_s);
        const kv::exporting::ExportResult result = kv::exporting::exportList(*g_ctx, search.stroom(u"0"_s, 0), path, nullptr);
        if (result.outcome != kv::exporting::ExportResult::Outcome::Written)
            state.SkipWithError(qPrintable(result.message));
        state.counters["rows"] = double(result.rows);
    }
}

void BM_Export_Xlsx(benchmark::State &state) { console(state, "artikelen.xlsx"); }
void BM_Export_Csv(benchmark::State &state) { console(state, "artikelen.csv"); }

// The raw side: one scan of the same query; `row` writes one, its columns in `at`.
template <typename WriteRow>
void scan(WriteRow &&row)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(qPrintable(largeAdministration() + u"KorvenalDB.sqlite"_s), &db, SQLITE_OPEN_READONLY, nullptr);
    kv::db::registerJetFunctions(db); // the collation and the text functions of the query
    sqlite3_stmt *rows = nullptr;
    sqlite3_prepare_v2(db, g_query.constData(), -1, &rows, nullptr);
    int at[ColumnCount];
    for (int c = 0; c < ColumnCount; ++c)
        for (int i = 0; i < sqlite3_column_count(rows); ++i)
            if (sqlite3_stricmp(sqlite3_column_name(rows, i), Columns[c]) == 0)
                at[c] = i;
    while (sqlite3_step(rows) == SQLITE_ROW)
        row(rows, at);
    sqlite3_finalize(rows);
    sqlite3_close_v2(db);
}

void BM_Raw_Xlsx(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(g_dir->filePath(u"raw.xlsx"_s));
    for (auto _ : state) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook *book = workbook_new_opt(path.constData(), &options);
        lxw_worksheet *sheet = workbook_add_worksheet(book, "Resultaat");
        lxw_format *amount = workbook_add_format(book), *text = workbook_add_format(book);
        format_set_num_format(amount, "#,##0.00_);[Red](#,##0.00)");
        format_set_num_format(text, "@");
        int widths[ColumnCount] = {};
        lxw_row_t r = 1;
        scan([&](sqlite3_stmt *rows, const int *at) {
            for (int c = 0; c < ColumnCount; ++c) {
                const int type = sqlite3_column_type(rows, at[c]);
                if (type == SQLITE_FLOAT || type == SQLITE_INTEGER) {
                    worksheet_write_number(sheet, r, lxw_col_t(c), sqlite3_column_double(rows, at[c]), amount);
                } else {
                    const char *value = reinterpret_cast<const char *>(sqlite3_column_text(rows, at[c]));
                    widths[c] = std::max(widths[c], sqlite3_column_bytes(rows, at[c]));
                    worksheet_write_string(sheet, r, lxw_col_t(c), value ? value : "", text);
                }
            }
            ++r;
        });
        for (int c = 0; c < ColumnCount; ++c)
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(widths[c] + 2, 80), nullptr);
        workbook_close(book);
        state.counters["rows"] = double(r - 1);
    }
}

void BM_Raw_Csv(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(g_dir->filePath(u"raw.csv"_s));
    for (auto _ : state) {
        std::FILE *out = std::fopen(path.constData(), "wb");
        std::fwrite("\xEF\xBB\xBF", 1, 3, out);
        scan([&](sqlite3_stmt *rows, const int *at) {
            for (int c = 0; c < ColumnCount; ++c) {
                if (c > 0)
                    std::fputc(';', out);
                std::fwrite(sqlite3_column_text(rows, at[c]), 1, size_t(sqlite3_column_bytes(rows, at[c])), out);
            }
            std::fwrite("\r\n", 1, 2, out);
        });
        std::fflush(out);
        ::fsync(fileno(out));
        std::fclose(out);
    }
}

void printMemory()
{
    const QString registry = g_dir->filePath(u"registry.reg"_s);
    double previous = 0;
    for (const QString &search : {u"00"_s, u"0"_s}) {
        const Peak peak = runTool({u"exporteer"_s, largeAdministration(), u"frmartikelen"_s, g_dir->filePath(u"geheugen.xlsx"_s), u"--zoek"_s, search},
                                  registry);
        std::printf("korvenal-admin exporteer frmartikelen --zoek %s: exit %d, peak resident %.1f MB (own %.1f MB, mapped files %.1f MB)\n",
                    qPrintable(search), peak.exitCode, peak.maxRss, peak.anon, peak.file);
        if (previous > 0)
            std::printf("Peak resident memory, 99,999 rows against 9,999: %.1f MB more\n", peak.maxRss - previous);
        previous = peak.maxRss;
    }
}

} // namespace

BENCHMARK(BM_Export_Xlsx)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Raw_Xlsx)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Export_Csv)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Raw_Csv)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    // The tool's session keeps the user's registry out of it.
    qputenv("BEHEER_REGISTRY", QFile::encodeName(dir.filePath(u"registry.reg"_s)));
    largeAdministration();
    // Before the benchmarks: a child's peak counts the memory it had as a copy of this process.
    printMemory();
    kv::Session session;
    if (!session.OpenAdministratie(largeAdministration()))
        return 1;
    kv::Context ctx;
    ctx.session = &session;
    g_ctx = &ctx;
    {
        kv::SelectieScherm search(ctx, u"frmartikelen"_s);
        search.stroom(u"0"_s, 0);
        g_query = kv::db::translateJetSql(search.laatsteQuery()).sql.toUtf8();
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Xlsx against raw", "BM_Export_Xlsx", "BM_Raw_Xlsx");
    reporter.printRatio("Csv against raw", "BM_Export_Csv", "BM_Raw_Csv");
    benchmark::Shutdown();
    return 0;
}

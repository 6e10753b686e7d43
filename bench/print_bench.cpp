// The Leveringenlijst of the large administration, 500 pages: the preview until its first page
// is painted, and the PDF the console writes, against the same pages replayed with a bare
// QPainter on QPdfWriter.
#include "largeadministration.h"
#include "ratioreporter.h"
#include "residentmemory.h"

#include "core/context.h"
#include "core/session/session.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "printing/reports/dailylists.h"

#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <climits>
#include <cstdio>
#include <map>
#include <string>

namespace {

kv::Context *g_ctx = nullptr;
QTemporaryDir *g_dir = nullptr;
std::map<int, kv::reports::ColumnReport> g_reports; // by pages
std::vector<QPicture> g_pages;                       // the 500 pages, for the raw replay
std::map<int, double> g_previewGrowth;               // MB by pages

const kv::reports::DailyList &deliveries()
{
    return kv::reports::dailyLists().back();
}

// The first days of the list that fill at least `pages` pages; a day always starts a page, so
// each day's pages are counted on their own.
kv::reports::ColumnReport firstPages(const kv::reports::ColumnReport &all, int pages)
{
    kv::reports::ColumnReport report = all;
    report.days.clear();
    int counted = 0;
    for (const kv::reports::Day &day : all.days) {
        if (counted >= pages)
            break;
        kv::reports::ColumnReport one = all;
        one.days = {day};
        kv::PreviewTarget target(kv::printerPageLayout(*g_ctx), 0);
        counted += kv::reports::drawColumnReport(target, one);
        report.days.push_back(day);
    }
    return report;
}

void prepare()
{
    static kv::Session session;
    if (!session.OpenAdministratie(largeAdministration()))
        std::abort();
    g_ctx->session = &session;
    const kv::reports::ColumnReport all = kv::reports::readDailyList(*g_ctx, deliveries(), QStringLiteral("19000101"), QStringLiteral("29991231"));
    for (int pages : {50, 500})
        g_reports[pages] = firstPages(all, pages);
    kv::PreviewTarget record(kv::printerPageLayout(*g_ctx), INT_MAX);
    kv::reports::drawColumnReport(record, g_reports[500]);
    record.EndDoc();
    g_pages = record.pages();
}

// The preview as the print manager starts it, and page 1 painted as the window paints it.
void preview(const kv::reports::ColumnReport &report)
{
    kv::BeginPrintJob(*g_ctx, true);
    kv::reports::drawColumnReport(*g_ctx->print.PrintTarget, report);
    g_ctx->print.PrintTarget->EndDoc();
    const auto &pages = static_cast<const kv::PreviewTarget &>(*g_ctx->print.PrintTarget);
    const QSizeF points = pages.layout().fullRectPoints().size();
    QImage screen(QSize(int(points.width() * 20 / 15), int(points.height() * 20 / 15)), QImage::Format_RGB32);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    painter.scale(1.0 / 15, 1.0 / 15);
    QPicture first = pages.pages().front();
    first.play(&painter);
    painter.end();
    kv::EndPreview(*g_ctx);
}

void BM_Print_Preview(benchmark::State &state, int pages)
{
    for (auto _ : state) {
        state.PauseTiming();
        const double start = resetPeak();
        state.ResumeTiming();
        preview(g_reports[pages]);
        g_previewGrowth[pages] = std::max(g_previewGrowth[pages], statusMB("VmHWM:") - start);
    }
}

void BM_Print_Pdf(benchmark::State &state)
{
    g_ctx->print.PdfFile = g_dir->filePath(QStringLiteral("lijst.pdf"));
    for (auto _ : state)
        kv::reports::printColumnReport(*g_ctx, g_reports[500], false);
    g_ctx->print.PdfFile.clear();
}

void BM_Print_Raw(benchmark::State &state)
{
    const QPageLayout layout = kv::printerPageLayout(*g_ctx);
    for (auto _ : state) {
        QPdfWriter writer(g_dir->filePath(QStringLiteral("raw.pdf")));
        writer.setResolution(1200);
        writer.setPageLayout(layout);
        QPainter painter(&writer);
        painter.scale(1200.0 / 1440, 1200.0 / 1440);
        for (size_t page = 0; page < g_pages.size(); ++page) {
            if (page > 0)
                writer.newPage();
            QPicture picture = g_pages[page];
            picture.play(&painter);
        }
        painter.end();
    }
}

} // namespace

BENCHMARK(BM_Print_Pdf)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Print_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    kv::Context ctx; // no printer: A4 with 360-twip margins, as the PDF without a printer
    QTemporaryDir dir;
    g_ctx = &ctx;
    g_dir = &dir;
    prepare();
    for (int pages : {50, 500})
        benchmark::RegisterBenchmark(("BM_Print_Preview_" + std::to_string(pages)).c_str(), BM_Print_Preview, pages)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Preview of 500 pages until page 1 is painted against raw", "BM_Print_Preview_500", "BM_Print_Raw");
    reporter.printRatio("PDF of 500 pages against raw", "BM_Print_Pdf", "BM_Print_Raw");
    std::printf("Pages: %zu; preview resident memory growth: %.1f MB at 50 pages, %.1f MB at 500\n", g_pages.size(),
                g_previewGrowth[50], g_previewGrowth[500]);
    benchmark::Shutdown();
    return 0;
}

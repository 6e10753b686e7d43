// A console that prints a long list and dies half-way, as a power cut would: the printing tests
// start it and look whether anything reached the printer or the PDF file.
//   printing_peer printer <queue> | pdf <file>   <pages> <page to die on, 0: none>
#include "core/context.h"
#include "printing/cupsprinters.h"
#include "printing/printjob.h"
#include "printing/reports/dailylists.h"

#include <QGuiApplication>

#include <csignal>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 4)
        return 64;
    kv::CupsPrinters printers;
    kv::Context ctx;
    ctx.printers = &printers;
    if (args[0] == u"pdf")
        ctx.print.PdfFile = args[1];
    else
        kv::SetSystemPrinter(ctx, args[1]);

    // One day a page: the list breaks where the days do.
    kv::reports::ColumnReport report{QStringLiteral("Akkerhof B.V."), QStringLiteral("Leveringenlijst"),
                                     kv::reports::columnsOf(kv::reports::dailyLists().back()), {}};
    for (int day = 0; day < args[2].toInt(); ++day)
        report.days.push_back({QDate(2026, 1, 1).addDays(day), {{QStringLiteral("000001 Zuidhoek"), {{QStringLiteral("00000001/1")}}, {}}}, {}});
    const int dieOn = args[3].toInt();
    kv::reports::printColumnReport(ctx, report, false, nullptr, [dieOn](int, int page) {
        if (page == dieOn)
            std::raise(SIGKILL);
    });
    return 0;
}

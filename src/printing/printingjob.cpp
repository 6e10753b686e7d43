#include "printing/printingjob.h"

#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"
#include "core/messages/errorreport.h"
#include "printing/cupsprinters.h"
#include "printing/printjob.h"
#include "printing/printmanager.h"
#include "printing/reports/dailylists.h"

#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace kv {

namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

const QString NoPrinter = QStringLiteral("Er is geen printer geïnstalleerd.");

template <class List>
QString numbered(const List &list)
{
    QStringList entries;
    for (const auto &entry : list)
        entries << QString::number(entry.number) + u' ' + entry.name;
    return entries.join(QStringLiteral("; "));
}

// The entry of `list` named `text` (trimmed, in any case, its text or the printer's key) or numbered so.
template <class List>
auto chosen(const List &list, const QString &text) -> decltype(&list.front())
{
    for (const auto &entry : list)
        if (entry.name.trimmed().compare(text.trimmed(), Qt::CaseInsensitive) == 0
            || entry.key.compare(text.trimmed(), Qt::CaseInsensitive) == 0 || QString::number(entry.number) == text.trimmed())
            return &entry;
    return nullptr;
}

// The number of a list entry the tool accepts as text or as its number; 0 when it is neither.
int listed(const QString &given, const QStringList &texts)
{
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (given.compare(texts[i], Qt::CaseInsensitive) == 0 || given == QString::number(i + 1))
            return int(i + 1);
    return 0;
}

// The choices put in the print manager's lists, as its window would; the reason when one
// cannot be used.
QString choose(PrintManager &manager, const PrintChoices &choices)
{
    if (!choices.printer.isEmpty()) {
        if (!manager.printers().contains(choices.printer))
            return QStringLiteral("De printer %1 is niet geïnstalleerd.").arg(choices.printer);
        manager.selectPrinter(choices.printer);
    }
    if (!choices.formaat.isEmpty()) {
        const PaperSize *size = chosen(manager.capabilities().sizes, choices.formaat);
        if (!size)
            return QStringLiteral("Papierformaat %1 is niet beschikbaar op %2.").arg(choices.formaat, manager.printer());
        manager.paperSize = size->number;
    }
    if (!choices.lade.isEmpty()) {
        const PaperTray *tray = chosen(manager.capabilities().trays, choices.lade);
        if (!tray)
            return QStringLiteral("Papierlade %1 is niet beschikbaar op %2.").arg(choices.lade, manager.printer());
        manager.tray = tray->number;
    }
    if (!choices.orientatie.isEmpty()) {
        manager.orientation = listed(choices.orientatie, {QStringLiteral("staand"), QStringLiteral("liggend")});
        if (manager.orientation == 0)
            return QStringLiteral("De orientatie moet staand of liggend zijn.");
    }
    if (!choices.zijden.isEmpty()) {
        manager.duplex = listed(choices.zijden, {QStringLiteral("enkelzijdig"), QStringLiteral("horizontaal"), QStringLiteral("verticaal")});
        if (manager.duplex == 0)
            return QStringLiteral("Zijden moet enkelzijdig, horizontaal of verticaal zijn (1, 2 of 3).");
    }
    if (!choices.kopieen.isEmpty())
        manager.copies = choices.kopieen;
    return {};
}

} // namespace

int runPrintersJob(bool details)
{
    CupsPrinters cups;
    const QStringList printers = cups.printers();
    if (printers.isEmpty()) {
        say(NoPrinter);
        return 1;
    }
    const QString standard = cups.defaultPrinter();
    for (const QString &printer : printers) {
        const std::optional<PrinterInfo> info = cups.info(printer);
        QStringList fields{printer, printer == standard ? QStringLiteral("standaard") : QString(),
                           info ? PrinterStatusText(info->status).trimmed().replace(QStringLiteral("\r\n"), QStringLiteral(", "))
                                : QStringLiteral("Onbekend"),
                           info ? info->location : QString(), info ? info->comment : QString()};
        if (details) {
            const std::optional<PrinterCapabilities> capabilities = cups.capabilities(printer);
            fields << (capabilities ? numbered(capabilities->sizes) : QString())
                   << (capabilities ? numbered(capabilities->trays) : QString());
        }
        std::printf("%s\n", fields.join(u'\t').toUtf8().constData());
    }
    return 0;
}

int runPrintJob(const QStringList &arguments, const PrintChoices &choices)
{
    if (arguments.size() < 3 || arguments.size() > 4)
        return 64;
    const reports::DailyList *list = nullptr;
    for (const reports::DailyList &candidate : reports::dailyLists())
        if (candidate.command == arguments[1])
            list = &candidate;
    if (!list)
        return 64;

    JobSession job(false);
    CupsPrinters cups;
    job.ctx.printers = &cups;
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    Context &ctx = job.ctx;
    const reports::Period days = reports::periodOf(ctx, arguments[2], arguments.value(3, arguments[2]));
    if (!days.refusal.isEmpty()) {
        say(days.refusal);
        return 1;
    }
    if (choices.pdf.isEmpty() && cups.printers().isEmpty()) {
        say(NoPrinter);
        return 1;
    }
    reports::ColumnReport report;
    if (!tryOperation(ctx, QStringLiteral("afdrukken: Lezen"), [&] { report = reports::readDailyList(ctx, *list, days.from, days.to); }))
        return 2;
    if (report.days.empty()) {
        say(QStringLiteral("Er is niets af te drukken voor deze periode."));
        return 1;
    }

    ctx.print.PrintDocuments[1] = list->document;
    ctx.print.PrintCaller = QString::fromLatin1(list->screen);
    TerminalProgress progress;
    ctx.print.callers.insert(ctx.print.PrintCaller.toLower(), [&](int, int &, bool) {
        reports::printColumnReport(ctx, report, false, nullptr, [&progress](int percent, int page) {
            progress.step(QStringLiteral("Pagina ") + QString::number(page));
            progress.percent(percent);
        });
    });
    PrintManager manager(ctx);
    if (const QString refused = choose(manager, choices); !refused.isEmpty()) {
        say(refused);
        return 1;
    }
    const bool ran = choices.pdf.isEmpty() ? manager.run(0, false)
                                           : manager.savePdf(0, QFileInfo(choices.pdf).absoluteFilePath());
    progress.finished();
    if (job.dialogs.failed())
        return 2;
    return ran ? 0 : 1;
}

} // namespace kv

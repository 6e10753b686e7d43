#include "printing/printjob.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/jobs/targetfile.h"
#include "core/log/schrijflog.h"
#include "printing/printtarget.h"

#include <QDir>
#include <QPageSize>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <stdexcept>

namespace kv {

namespace {

std::optional<PrinterCapabilities> capabilitiesOf(Context &ctx, const QString &printer)
{
    if (!ctx.printers || printer.isEmpty())
        return std::nullopt;
    return ctx.printers->capabilities(printer);
}

// The settings of `printer`, taken from the printer's own when the program has none yet.
PrinterSettings *settingsOf(Context &ctx, const QString &printer)
{
    auto found = ctx.print.settings.find(printer);
    if (found != ctx.print.settings.end())
        return &*found;
    const auto capabilities = capabilitiesOf(ctx, printer);
    if (!capabilities)
        return nullptr;
    PrinterSettings own;
    own.paperSize = capabilities->currentSize;
    own.tray = capabilities->currentTray;
    return &*ctx.print.settings.insert(printer, own);
}

template <class List>
auto findNumber(const List &list, int number) -> decltype(&list.front())
{
    for (const auto &entry : list)
        if (entry.number == number)
            return &entry;
    return nullptr;
}

int twips(double points)
{
    return int(std::lround(points * 20));
}

// The paper's margins as the page lies: for landscape turned a quarter to the left, the way
// drivers turn it (the top edge comes to the left).
QMarginsF orientedMargins(const QMarginsF &portrait, int orientation)
{
    if (orientation != Liggend)
        return portrait;
    return {portrait.top(), portrait.right(), portrait.bottom(), portrait.left()};
}

void submitJob(Context &ctx, const QString &printer, const QString &pdf)
{
    JobSettings job;
    job.title = ctx.print.jobTitle;
    job.copies = ctx.print.copies;
    if (const PrinterSettings *settings = settingsOf(ctx, printer)) {
        job.orientation = settings->orientation;
        job.duplex = settings->duplex;
        if (const auto capabilities = capabilitiesOf(ctx, printer)) {
            if (const PaperSize *size = findNumber(capabilities->sizes, settings->paperSize))
                job.media = size->key;
            if (const PaperTray *tray = findNumber(capabilities->trays, settings->tray)) {
                job.inputSlot = tray->key;
                job.mediaSource = tray->mediaSource;
            }
        }
    }
    const SubmitResult result = ctx.printers->submit(printer, pdf, job);
    if (!result.error.isEmpty())
        throw std::runtime_error(result.error.toStdString());
}

} // namespace

QString SystemPrinter(Context &ctx)
{
    if (ctx.print.systemPrinter.isEmpty() && ctx.printers) {
        ctx.print.systemPrinter = ctx.printers->defaultPrinter();
        if (ctx.print.systemPrinter.isEmpty())
            ctx.print.systemPrinter = ctx.printers->printers().value(0);
    }
    return ctx.print.systemPrinter;
}

void SetSystemPrinter(Context &ctx, const QString &printer)
{
    ctx.print.systemPrinter = printer;
}

int GetPrinterSetting(Context &ctx, const QString &printer, int field)
{
    const PrinterSettings *settings = settingsOf(ctx, printer);
    if (!settings)
        return 0;
    switch (field) {
    case FieldOrientation: return settings->orientation;
    case FieldPaperSize: return settings->paperSize;
    case FieldTray: return settings->tray;
    case FieldDuplex: return settings->duplex;
    default: return 0;
    }
}

bool SetPrinterSetting(Context &ctx, const QString &printer, int field, int value)
{
    PrinterSettings *settings = settingsOf(ctx, printer);
    if (!settings)
        return false;
    switch (field) {
    case FieldOrientation: settings->orientation = value; return true;
    case FieldPaperSize: settings->paperSize = value; return true;
    case FieldTray: settings->tray = value; return true;
    case FieldDuplex: settings->duplex = value; return true;
    default: return false;
    }
}

QPageLayout printerPageLayout(Context &ctx)
{
    const QString printer = SystemPrinter(ctx);
    const PrinterSettings *settings = settingsOf(ctx, printer);
    const int orientation = settings ? settings->orientation : Staand;
    QSizeF page = QPageSize(QPageSize::A4).size(QPageSize::Point);
    QMarginsF margins(18, 18, 18, 18);
    if (const auto capabilities = capabilitiesOf(ctx, printer); capabilities && !capabilities->sizes.isEmpty()) {
        const PaperSize *size = findNumber(capabilities->sizes, settings->paperSize);
        if (!size)
            size = &capabilities->sizes.front();
        page = size->page;
        margins = size->margins;
    }
    return QPageLayout(QPageSize(page, QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                       orientation == Liggend ? QPageLayout::Landscape : QPageLayout::Portrait,
                       orientedMargins(margins, orientation), QPageLayout::Point);
}

void ApplyPrinterSetup(Context &ctx)
{
    const QString printer = SystemPrinter(ctx);
    if (!printer.isEmpty() && (ctx.print.PrintOrientation == Staand || ctx.print.PrintOrientation == Liggend))
        SetPrinterSetting(ctx, printer, FieldOrientation, ctx.print.PrintOrientation);
    const QPageLayout layout = printerPageLayout(ctx);
    const QSizeF page = layout.fullRect(QPageLayout::Point).size();
    const QSizeF printable = layout.paintRect(QPageLayout::Point).size();
    ctx.print.PrintPageWidth = twips(printable.width());
    ctx.print.PrintPageHeight = twips(printable.height());
    ctx.print.PrintMarginLeft = twips(page.width() - printable.width()) / 2;
    ctx.print.PrintMarginTop = twips(page.height() - printable.height()) / 2;
}

namespace {

// Every job starts in Tahoma 8 with its line height measured.
void startFont(Context &ctx)
{
    PrintTarget &target = *ctx.print.PrintTarget;
    target.FontName(QStringLiteral("Tahoma"));
    target.FontSize(8);
    target.FontItalic(false);
    ctx.print.PrintLineHeight = int(std::lround(target.TextHeight(QStringLiteral("X"))));
}

} // namespace

// The PDF is open from the moment the target exists, so the first line needs no printing to open it.
// A job for a PDF file is drawn into a hidden file beside it, renamed over it when complete; one
// for the printer goes to a temporary folder and from there to the print system.
void StartPrinterJob(Context &ctx, [[maybe_unused]] bool printFirstLine)
{
    const QString printer = SystemPrinter(ctx);
    const QString pdf = ctx.print.PdfFile;
    if (printer.isEmpty() && pdf.isEmpty()) {
        ctx.print.NoPrinter = true;
        return;
    }
    ctx.print.PreviewActive = false;
    if (ctx.print.PrintTarget)
        ctx.print.PrintTarget->KillDoc();
    ApplyPrinterSetup(ctx);
    if (pdf.isEmpty()) {
        auto folder = std::make_shared<QTemporaryDir>();
        ctx.print.PrintTarget = std::make_shared<PdfTarget>(
            folder->filePath(QStringLiteral("job.pdf")), printerPageLayout(ctx),
            [&ctx, printer, folder](const QString &job) { submitJob(ctx, printer, job); });
    } else {
        auto target = std::make_shared<TargetFile>(pdf);
        ctx.print.PrintTarget = std::make_shared<PdfTarget>(
            target->tempPath(), printerPageLayout(ctx), [&ctx, pdf, target](const QString &) {
                if (!target->commit())
                    throw std::runtime_error(
                        QStringLiteral("Het bestand %1 kan niet worden geschreven: %2").arg(pdf, target->error()).toStdString());
                SchrijfLog(ctx, PadRechts(QStringLiteral("AFDRUKKEN"), 10) + QStringLiteral(": PDF-bestand     : ") + pdf);
            });
    }
    startFont(ctx);
    ctx.print.PrintPageWidth = ctx.print.PrintTarget->ScaleWidth();
    ctx.print.PrintPageHeight = ctx.print.PrintTarget->ScaleHeight();
}

void BeginPreview(Context &ctx)
{
    if (ctx.print.PreviewActive && ctx.print.PrintTarget)
        return;
    ctx.print.PreviewActive = true;
    ApplyPrinterSetup(ctx);
    ctx.print.PrintTarget = std::make_shared<PreviewTarget>(printerPageLayout(ctx));
    startFont(ctx);
}

void EndPreview(Context &ctx)
{
    ctx.print.PrintTarget.reset();
    ctx.print.PreviewActive = false;
}

QString AskPdfFile(Context &ctx, const QString &document)
{
    if (!ctx.dialogs)
        return {};
    QString name = document.trimmed();
    name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|]+)")), QStringLiteral("-"));
    const QString proposed = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(name + u'-' + ctx.today().toString(u"yyyyMMdd") + QStringLiteral(".pdf"));
    return ctx.dialogs->SaveFile(QStringLiteral("Opslaan als PDF"), QStringLiteral("PDF-bestanden | *.pdf"), proposed);
}

bool BeginPrintJob(Context &ctx, bool preview)
{
    ctx.print.NoPrinter = false;
    if (preview)
        BeginPreview(ctx);
    else
        StartPrinterJob(ctx, true);
    return !ctx.print.NoPrinter;
}

} // namespace kv

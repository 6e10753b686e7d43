#include "printing/printmanager.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/log/schrijflog.h"
#include "core/messages/errorreport.h"
#include "core/registry/registry.h"
#include "printing/printersetting.h"
#include "printing/printjob.h"

namespace kv {

namespace {

const QString Afdrukken = PadRechts(QStringLiteral("AFDRUKKEN"), 10);
const QString Separator(50, u'-');

// Printers that only pass jobs on to another machine are not offered.
bool redirected(const QString &printer)
{
    return printer.contains(u"omgeleid") || printer.contains(u"redirected");
}

} // namespace

PrintManager::PrintManager(Context &ctx) : m_ctx(ctx)
{
    m_ctx.print.PrintManagerOpen = true;
    for (int slot = 1; slot < int(m_ctx.print.PrintDocuments.size()); ++slot)
        if (!m_ctx.print.PrintDocuments[size_t(slot)].isEmpty())
            m_entries.append({m_ctx.print.PrintDocuments[size_t(slot)], slot});
    if (m_ctx.registry) {
        m_storedPrinter = m_ctx.registry->LeesRegistry(RegKeyKorvenal, u"CurrentPrinter");
        matrixSupport = m_ctx.registry->LeesRegistry(RegKeyKorvenal, u"MatrixPrinterSupport") == u"1";
        matrix = matrixSupport && m_ctx.registry->LeesRegistry(RegKeyKorvenal, u"MatrixPrinter") == u"1";
    }
    if (m_ctx.printers)
        for (const QString &printer : m_ctx.printers->printers())
            if (!redirected(printer))
                m_printers << printer;
    if (m_printers.contains(m_storedPrinter))
        SetSystemPrinter(m_ctx, m_storedPrinter);
    if (!m_printers.isEmpty())
        selectPrinter(SystemPrinter(m_ctx));
}

PrintManager::~PrintManager()
{
    restoreOwn();
    if (m_ctx.registry && !m_printer.isEmpty() && m_printer != m_storedPrinter)
        m_ctx.registry->SchrijfRegistry(RegKeyKorvenal, u"CurrentPrinter", m_printer);
    m_ctx.print.PrintDocuments.fill(QString());
    m_ctx.print.PrintCaller.clear();
    m_ctx.print.PrintManagerOpen = false;
}

void PrintManager::selectPrinter(const QString &printer)
{
    m_printer = printer;
    m_capabilities = m_ctx.printers ? m_ctx.printers->capabilities(printer).value_or(PrinterCapabilities()) : PrinterCapabilities();
    paperSize = GetPrinterSetting(m_ctx, printer, FieldPaperSize);
    tray = GetPrinterSetting(m_ctx, printer, FieldTray);
    orientation = std::max(Staand, GetPrinterSetting(m_ctx, printer, FieldOrientation));
    duplex = std::max(Enkelzijdig, GetPrinterSetting(m_ctx, printer, FieldDuplex));
}

PrintManager::Details PrintManager::details()
{
    const auto info = m_ctx.printers ? m_ctx.printers->info(m_printer) : std::nullopt;
    if (!info)
        return {QStringLiteral("Onbekend"), QStringLiteral("Onbekend"), QStringLiteral("Onbekend"), QStringLiteral("Onbekend"), false};
    const QString standard = m_printer == SystemPrinter(m_ctx) ? QStringLiteral("Standaard printer; ") : QString();
    return {standard + m_printer, PrinterStatusText(info->status), info->location, info->comment};
}

bool PrintManager::chooseDocument(int index)
{
    if (m_running || index < 0 || index >= m_entries.size())
        return true;
    const QString &text = m_entries[index].text;
    QString kind;
    if (m_ctx.print.PrintCaller.toLower() == u"frmfactureringorders")
        kind = QStringLiteral("Factuur");
    else if (text.startsWith(u"CMR -"))
        kind = QStringLiteral("CMR");
    else if (text.startsWith(u"VDM -"))
        kind = QStringLiteral("VDM");
    if (!kind.isEmpty())
        return applyStored(kind);
    restoreOwn();
    return true;
}

// Stored settings in force give way to the printer's own again.
void PrintManager::restoreOwn()
{
    if (m_ownPrinter.isEmpty())
        return;
    const QString own = std::exchange(m_ownPrinter, QString());
    m_ctx.print.settings.remove(m_printer);
    m_ctx.print.settings.remove(own);
    selectPrinter(own);
    for (QString &text : notAvailable)
        text.clear();
}

// Each list gets the entry whose trimmed text equals the stored one.
bool PrintManager::applyStored(const QString &kind)
{
    if (!m_ctx.registry)
        return false;
    const PrinterSetting stored = readPrinterSetting(*m_ctx.registry, kind);
    const QString printer = stored.printer.trimmed();
    if (printer.isEmpty())
        return false;
    if (m_ownPrinter.isEmpty())
        m_ownPrinter = m_printer;
    const auto offered = [](const auto &list, const QString &text) -> decltype(&list.front()) {
        for (const auto &entry : list)
            if (entry.name.trimmed() == text)
                return &entry;
        return nullptr;
    };
    notAvailable[0] = kv::notAvailable(printer, m_printers.contains(printer));
    if (m_printers.contains(printer))
        selectPrinter(printer);
    if (const qsizetype entry = orientationEntries().indexOf(stored.orientatie.trimmed()); entry >= 0)
        orientation = int(entry) + 1;
    const QString size = stored.formaat.trimmed(), trayText = stored.lade.trimmed();
    const PaperSize *paper = offered(m_capabilities.sizes, size);
    const PaperTray *paperTray = offered(m_capabilities.trays, trayText);
    notAvailable[1] = kv::notAvailable(size, paper);
    notAvailable[2] = kv::notAvailable(trayText, paperTray);
    if (paper)
        paperSize = paper->number;
    if (paperTray)
        tray = paperTray->number;
    matrix = matrixSupport && m_ctx.registry->LeesRegistry(RegKeyKorvenal, u"MatrixPrinter") == u"1";
    return true;
}

// The chosen printer becomes the program's printer with the lists' size, tray and duplex.
void PrintManager::prepare()
{
    if (m_printer.isEmpty())
        return;
    SetSystemPrinter(m_ctx, m_printer);
    if (m_ctx.registry)
        m_ctx.registry->SchrijfRegistry(RegKeyKorvenal, u"MatrixPrinter", matrix ? QStringLiteral("1") : QStringLiteral("0"));
    SetPrinterSetting(m_ctx, m_printer, FieldPaperSize, paperSize);
    SetPrinterSetting(m_ctx, m_printer, FieldTray, tray);
    SetPrinterSetting(m_ctx, m_printer, FieldDuplex, duplex);
}

bool PrintManager::savePdf(int index, const QString &file)
{
    m_ctx.print.PdfFile = file;
    const bool ran = run(index, false);
    m_ctx.print.PdfFile.clear();
    return ran;
}

bool PrintManager::run(int index, bool preview)
{
    if (m_running) {
        SchrijfLog(m_ctx, Afdrukken + QStringLiteral(": Dubbelklik      : ")
                              + (preview ? QStringLiteral("Print opdracht (voorbeeld) is al gestart")
                                         : QStringLiteral("Print opdracht is al gestart")));
        return false;
    }
    if (index < 0 || index >= m_entries.size())
        return false;
    const Entry entry = m_entries[index];

    // Empty counts as 0; anything but a whole number from 1 to 999 is refused.
    const QString typed = copies.trimmed();
    bool number = typed.isEmpty();
    const int count = typed.isEmpty() ? 0 : typed.toInt(&number);
    if (number && count == 0) {
        m_ctx.dialogs->MsgBox(QStringLiteral("U kunt geen 0 afdrukken maken."), mb::Exclamation);
        return false;
    }
    if (!number || count < 0 || count > 999) {
        m_ctx.dialogs->MsgBox(QStringLiteral("Het aantal kopieën moet tussen 1 en 999 liggen."), mb::Exclamation);
        return false;
    }

    m_running = true;
    m_ctx.print.PrintFromPreview = false;
    const int orientationBefore = m_ctx.print.PrintOrientation;
    prepare();
    m_ctx.print.PrintOrientation = orientation;
    for (const QString &text : {m_ctx.print.PrintDocuments[size_t(entry.slot)], entry.text})
        if (text.toLower().contains(u"landscape") || text.toLower().contains(u"[liggend]"))
            m_ctx.print.PrintOrientation = Liggend;
    ApplyPrinterSetup(m_ctx);
    m_ctx.print.copies = count;
    m_ctx.print.jobTitle = entry.text;

    const auto caller = m_ctx.print.callers.find(m_ctx.print.PrintCaller.toLower());
    SchrijfLog(m_ctx, Separator);
    SchrijfLog(m_ctx, Afdrukken + QStringLiteral(": Opdracht        : ") + entry.text);
    SchrijfLog(m_ctx, Separator);
    if (caller != m_ctx.print.callers.end()) {
        int copiesAsked = count;
        tryOperation(m_ctx, QStringLiteral("frmPrintManager: Afdrukken"), [&] { (*caller)(entry.slot, copiesAsked, preview); });
    }
    SchrijfLog(m_ctx, Separator);
    SchrijfLog(m_ctx, Afdrukken + QStringLiteral(": Opdracht        : Afgerond"));
    SchrijfLog(m_ctx, Separator);
    m_ctx.print.PrintOrientation = orientationBefore;
    m_running = false;
    return true;
}

} // namespace kv

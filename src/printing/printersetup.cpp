#include "printing/printersetup.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/registry/registry.h"
#include "printing/printersetting.h"
#include "printing/printjob.h"

#include <QRegularExpression>

namespace kv {

namespace {

// The switches from here on choose how PDF documents are made; only one of them can.
constexpr size_t FirstPdfSwitch = 2;

template <class List>
int positionOf(const List &list, int number)
{
    for (int i = 0; i < int(list.size()); ++i)
        if (list[i].number == number)
            return i;
    return -1;
}

// A stored number; nothing when the text holds none.
std::optional<int> storedNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

// The entry of a size or tray list whose number is stored; when the printer lacks it, the
// choice stays the printer's own and the stored text is named.
template <class List>
void chooseStored(const List &list, const QString &number, const QString &text, int &choice, QString &note)
{
    const std::optional<int> stored = storedNumber(number);
    if (!stored)
        return;
    const int found = positionOf(list, *stored);
    note = notAvailable(text, found >= 0);
    if (found >= 0)
        choice = found;
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

const std::array<PrinterSetup::Kind, 8> &PrinterSetup::kinds()
{
    static const std::array<Kind, 8> table{{
        {QStringLiteral("Factuur"),             QStringLiteral("Factuur"),           {}},
        {QStringLiteral("Kopiefactuur"),        QStringLiteral("KopieFactuur"),      {}},
        {QStringLiteral("CMR documenten"),      QStringLiteral("CMR"),               QStringLiteral(" Internationale vrachtbrief volgens het CMR-verdrag (Convention relative au contrat de transport international de Marchandises par Route)")},
        {QStringLiteral("VDM documenten"),      QStringLiteral("VDM"),               QStringLiteral(" Vervoersbewijs Dierlijke Meststoffen")},
        {QStringLiteral("Weegbon 1"),           QStringLiteral("WeegbonPrinter1"),   {}},
        {QStringLiteral("Weegbon 2"),           QStringLiteral("WeegbonPrinter2"),   {}},
        {QStringLiteral("Transportopdrachten"), QStringLiteral("TransportOpdracht"), {}},
        {QStringLiteral("Label printer"),       QStringLiteral("LabelPrinter"),      {}},
    }};
    return table;
}

const std::array<PrinterSetup::Switch, 6> &PrinterSetup::switches()
{
    static const std::array<Switch, 6> table{{
        {QStringLiteral("ShowRedirectedPrinters"), QStringLiteral("Omgeleide (redirected) printers ook weergeven in het programma")},
        {QStringLiteral("UseWeegbonPrinter2"),     QStringLiteral("Tweede weegbon ook afdrukken")},
        {QStringLiteral("PDFviaBioPDF"),           QStringLiteral("PDF documenten aanmaken via bioPDF")},
        {QStringLiteral("PDFviaBullzipPDF"),       QStringLiteral("PDF documenten aanmaken via BullzipPDF")},
        {QStringLiteral("PDFviaNovaPDF"),          QStringLiteral("PDF documenten aanmaken via NovaPDF")},
        {QStringLiteral("PDFvia7PDF"),             QStringLiteral("PDF documenten aanmaken via 7-PDF")},
    }};
    return table;
}

PrinterSetup::PrinterSetup(Context &ctx) : m_ctx(ctx)
{
    if (m_ctx.printers)
        m_printers = m_ctx.printers->printers();
    for (int kind = 0; kind < int(sections.size()); ++kind)
        load(kind);
    correctionLeft = m_ctx.registry->LeesRegistry(RegKeyKorvenal, u"VDMx");
    correctionTop = m_ctx.registry->LeesRegistry(RegKeyKorvenal, u"VDMy");
    for (size_t i = 0; i < on.size(); ++i)
        on[i] = m_ctx.registry->LeesRegistry(RegKeyKorvenal, switches()[i].name) == u"1";
}

// The stored printer (the system printer when none is stored or it is not installed), with
// the stored size, tray and orientation where the printer has them and its own elsewhere.
void PrinterSetup::load(int kind)
{
    if (m_printers.isEmpty())
        return;
    Section &section = sections[size_t(kind)];
    const PrinterSetting stored = readPrinterSetting(*m_ctx.registry, kinds()[size_t(kind)].key);
    choosePrinter(kind, m_printers.contains(stored.printer) ? stored.printer : SystemPrinter(m_ctx));
    section.notAvailable[0] = notAvailable(stored.printer, m_printers.contains(stored.printer));
    chooseStored(section.capabilities.sizes, stored.paperSize, stored.formaat, section.size, section.notAvailable[1]);
    chooseStored(section.capabilities.trays, stored.bin, stored.lade, section.tray, section.notAvailable[2]);
    std::optional<int> orient = storedNumber(stored.orient);
    if (orient != Staand && orient != Liggend)
        orient = GetPrinterSetting(m_ctx, section.printer, FieldOrientation) == Liggend ? Liggend : Staand;
    section.orientation = *orient - 1;
}

void PrinterSetup::choosePrinter(int kind, const QString &printer)
{
    Section &section = sections[size_t(kind)];
    section.printer = printer;
    section.capabilities = m_ctx.printers->capabilities(printer).value_or(PrinterCapabilities());
    section.size = positionOf(section.capabilities.sizes, section.capabilities.currentSize);
    section.tray = positionOf(section.capabilities.trays, section.capabilities.currentTray);
    for (QString &text : section.notAvailable)
        text.clear();
}

int PrinterSetup::badCorrection() const
{
    static const QRegularExpression whole(QStringLiteral("^(-?[0-9]+)?$"));
    for (int i = 0; i < 2; ++i)
        if (!whole.match((i == 0 ? correctionLeft : correctionTop).trimmed()).hasMatch())
            return i;
    return -1;
}

bool PrinterSetup::save()
{
    if (badCorrection() >= 0) {
        m_ctx.dialogs->MsgBox(QStringLiteral("Een correctie moet een geheel getal zijn."), mb::Exclamation);
        return false;
    }
    Registry::KeyValues keys;
    for (size_t kind = 0; kind < sections.size(); ++kind) {
        const Section &section = sections[kind];
        PrinterSetting setting;
        setting.printer = section.printer;
        if (section.orientation >= 0) {
            setting.orientatie = orientationEntries()[section.orientation];
            setting.orient = QString::number(section.orientation + 1);
        }
        if (section.size >= 0) {
            setting.formaat = section.capabilities.sizes[section.size].name;
            setting.paperSize = QString::number(section.capabilities.sizes[section.size].number);
        }
        if (section.tray >= 0) {
            setting.lade = section.capabilities.trays[section.tray].name;
            setting.bin = QString::number(section.capabilities.trays[section.tray].number);
        }
        keys.emplace_back(printerSettingKey(kinds()[kind].key), printerSettingValues(setting));
    }

    Registry::Values options{{QStringLiteral("VDMx"), correctionLeft.trimmed()}, {QStringLiteral("VDMy"), correctionTop.trimmed()}};
    bool pdfChosen = false; // the first PDF switch that is on wins
    for (size_t i = 0; i < on.size(); ++i) {
        const bool stored = on[i] && !(i >= FirstPdfSwitch && pdfChosen);
        pdfChosen = pdfChosen || (i >= FirstPdfSwitch && stored);
        options.emplace_back(switches()[i].name, flag(stored));
    }
    keys.emplace_back(RegKeyKorvenal.toString(), options);

    if (!m_ctx.registry->createAndWrite(keys)) {
        m_ctx.dialogs->MsgBox(QStringLiteral("De instellingen kunnen niet in het register worden opgeslagen."), mb::Exclamation);
        return false;
    }
    return true;
}

} // namespace kv

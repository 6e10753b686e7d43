#include "editing/listdetail/printers/lineprinters.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/registry/registry.h"
#include "editing/listdetail/detaillogic.h"

#include <algorithm>
#include <utility>

namespace kv::listdetail {

namespace {

constexpr QStringView printerName = u"Printer_";
constexpr QStringView printerType = u"TypePrinter_";
constexpr QStringView pollFile = u"PalletPollBestand_";
constexpr QStringView orientation = u"Orientatie_";
constexpr QStringView format = u"Formaat_";
constexpr QStringView tray = u"Lade_";
constexpr QStringView paperSize = u"PaperSize_";
constexpr QStringView bin = u"Bin_";
constexpr QStringView orient = u"Orient_";

// Trays and orientations are kept twice: as shown and as the number the platform's printer
// settings use for them, so printing needs no table of its own.
const std::pair<QStringView, int> trayNumbers[] = {
    {u"Automatisch", 7},  {u"Bovenste lade", 1}, {u"Middelste lade", 3}, {u"Onderste lade", 2},
    {u"Handmatig", 4},    {u"Envelop", 5},       {u"Tractor", 8},        {u"Cassette", 14},
};

QString trayNumber(const QString &caption)
{
    for (const auto &[shown, number] : trayNumbers)
        if (shown == caption)
            return QString::number(number);
    return {};
}

QString orientNumber(const QString &caption)
{
    return caption == Liggend ? QStringLiteral("2") : QStringLiteral("1");
}

QString identifierOf(const QString &line, int number)
{
    return line + u'_' + QString::number(number);
}

// The running numbers of a line's printers, from the value names "Printer_<line>_<n>": only the
// names this screen writes, no leading zeros, signs or other tails.
std::vector<int> printerNumbers(Registry &registry, const QString &line)
{
    std::vector<int> numbers;
    const QString start = printerName + line + u'_';
    for (const QString &name : registry.valueNames(RegKeyPrinter)) {
        if (!name.startsWith(start, Qt::CaseInsensitive))
            continue;
        const int number = name.mid(start.size()).toInt();
        if (number > 0 && name.compare(QString(printerName + identifierOf(line, number)), Qt::CaseInsensitive) == 0)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

LinePrinters::LinePrinters(DetailLogic &line) : m_ctx(line.context()), m_line(line) {}

QString LinePrinters::identifier(int number) const
{
    return identifierOf(m_line.editKey(), number);
}

QString LinePrinters::read(QStringView prefix, int number) const
{
    return m_ctx.registry->LeesRegistry(RegKeyPrinter, QString(prefix + identifier(number)));
}

bool LinePrinters::write(QStringView prefix, int number, const QString &text)
{
    return m_ctx.registry->SchrijfRegistry(RegKeyPrinter, QString(prefix + identifier(number)), text);
}

std::vector<LinePrinter> LinePrinters::printers() const
{
    std::vector<LinePrinter> found;
    if (m_line.adding())
        return found;
    for (const int number : printerNumbers(*m_ctx.registry, m_line.editKey())) {
        LinePrinter printer{.number = number, .printer = read(printerName, number), .type = read(printerType, number)};
        if (!printer.printer.isEmpty())
            found.push_back(std::move(printer));
    }
    return found;
}

LinePrinter LinePrinters::read(int number) const
{
    return {
        .number = number,
        .printer = read(printerName, number),
        .type = read(printerType, number),
        .pollFile = read(pollFile, number),
        .orientation = read(orientation, number),
        .format = read(format, number),
        .paperSize = read(paperSize, number).toInt(),
        .tray = read(tray, number),
    };
}

std::optional<LinePrinter> LinePrinters::add()
{
    if (!m_line.ensureSaved(QStringLiteral("Wilt u deze productielijn nu opslaan?"),
                            QStringLiteral("Voordat u printers aan deze productielijn kunt toevoegen moet de "
                                           "productielijn eerst worden opgeslagen.")))
        return std::nullopt;
    int number = 1;
    for (const LinePrinter &printer : printers()) {
        if (printer.number != number)
            break;
        ++number;
    }
    return LinePrinter{.number = number};
}

bool LinePrinters::save(const LinePrinter &printer)
{
    if (printer.printer.trimmed().isEmpty()) {
        m_ctx.dialogs->MsgBox(GeenPrinter.toString(), mb::Exclamation);
        return false;
    }
    // The name makes the printer exist, so it is written last: a write that fails on the way
    // leaves no printer with half its settings.
    const int n = printer.number;
    const bool written =
        m_ctx.registry->createKey(RegKeyPrinter) && write(printerType, n, printer.type) &&
        write(pollFile, n, printer.pollFile.trimmed()) && write(orientation, n, printer.orientation) &&
        write(orient, n, orientNumber(printer.orientation)) && write(format, n, printer.format) &&
        write(paperSize, n, QString::number(printer.paperSize)) && write(tray, n, printer.tray) &&
        write(bin, n, trayNumber(printer.tray)) && write(printerName, n, printer.printer.trimmed());
    if (!written)
        m_ctx.dialogs->MsgBox(PrinterNietOpgeslagen.toString(), mb::Exclamation);
    return written;
}

bool LinePrinters::remove(int number)
{
    if (m_ctx.dialogs->MsgBox(QStringLiteral("Weet u zeker dat u de geselecteerde printer van deze productielijn wilt halen?"),
                              mb::YesNo | mb::Question) != mb::Yes)
        return false;
    return write(printerName, number, {}) && write(printerType, number, {});
}

void LinePrinters::forget(Context &ctx, const QString &line)
{
    for (const int number : printerNumbers(*ctx.registry, line)) {
        for (QStringView prefix : {printerName, printerType})
            ctx.registry->SchrijfRegistry(RegKeyPrinter, QString(prefix + identifierOf(line, number)), {});
    }
}

QString LinePrinters::numberKept(DetailLogic &line)
{
    const bool renumbered = !line.adding() && line.text(QStringLiteral("CodeNr")).trimmed() != line.editKey();
    return renumbered && !LinePrinters(line).printers().empty() ? NummerMetPrinters.toString() : QString();
}

QStringList LinePrinters::trays()
{
    QStringList captions;
    for (const auto &shown : trayNumbers)
        captions += shown.first.toString();
    return captions;
}

} // namespace kv::listdetail

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

} // namespace

LinePrinters::LinePrinters(DetailLogic &line) : m_ctx(line.context()), m_line(line) {}

QString LinePrinters::stem() const
{
    return m_line.editKey() + u'_';
}

QString LinePrinters::identifier(int number) const
{
    return stem() + QString::number(number);
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
    const QString start = printerName + stem();
    for (const QString &name : m_ctx.registry->valueNames(RegKeyPrinter)) {
        if (!name.startsWith(start, Qt::CaseInsensitive))
            continue;
        // Only the names this screen writes: no leading zeros, signs or other tails.
        const int number = name.mid(start.size()).toInt();
        if (number <= 0 || name.compare(QString(printerName + identifier(number)), Qt::CaseInsensitive) != 0)
            continue;
        LinePrinter printer{.number = number, .printer = read(printerName, number), .type = read(printerType, number)};
        if (!printer.printer.isEmpty())
            found.push_back(std::move(printer));
    }
    std::sort(found.begin(), found.end(), [](const LinePrinter &a, const LinePrinter &b) { return a.number < b.number; });
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
    const int n = printer.number;
    return m_ctx.registry->createKey(RegKeyPrinter) && write(printerName, n, printer.printer.trimmed()) &&
           write(printerType, n, printer.type) && write(pollFile, n, printer.pollFile.trimmed()) &&
           write(orientation, n, printer.orientation) && write(orient, n, orientNumber(printer.orientation)) &&
           write(format, n, printer.format) && write(paperSize, n, QString::number(printer.paperSize)) &&
           write(tray, n, printer.tray) && write(bin, n, trayNumber(printer.tray));
}

bool LinePrinters::remove(int number)
{
    if (m_ctx.dialogs->MsgBox(QStringLiteral("Weet u zeker dat u de geselecteerde printer van deze productielijn wilt halen?"),
                              mb::YesNo | mb::Question) != mb::Yes)
        return false;
    return write(printerName, number, {}) && write(printerType, number, {});
}

QStringList LinePrinters::trays()
{
    QStringList captions;
    for (const auto &shown : trayNumbers)
        captions += shown.first.toString();
    return captions;
}

} // namespace kv::listdetail

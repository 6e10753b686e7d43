#pragma once

#include <QList>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

namespace kv {

// A paper size a printer offers: its number and text as the lists show them, the printer's own
// key for it, the page and the margins the printer cannot reach (both in points, portrait).
struct PaperSize {
    int number = 0;
    QString name;
    QString key;
    QSizeF page;
    QMarginsF margins;
};

// A paper tray: its number and text as the lists show them, the printer's own key for it: the
// driver's InputSlot, or for a printer whose driver names no trays its IPP media-source keyword.
struct PaperTray {
    int number = 0;
    QString name;
    QString key;
    bool mediaSource = false;
};

struct PrinterCapabilities {
    QList<PaperSize> sizes;
    QList<PaperTray> trays;
    bool duplex = false;
    int currentSize = 0; // the numbers of the printer's own settings
    int currentTray = 0;
};

// The printer's information record; `status` carries the spooler's status bits.
struct PrinterInfo {
    QString comment, location, port;
    quint32 status = 0;
};

// Duplex and orientation numbers as the print manager's lists count them.
inline constexpr int Enkelzijdig = 1, DubbelzijdigHorizontaal = 2, DubbelzijdigVerticaal = 3;
inline constexpr int Staand = 1, Liggend = 2;

// What goes with a finished document to the printer.
struct JobSettings {
    QString title;
    QString media;     // key of the paper size; empty: the printer's own
    QString inputSlot; // key of the tray; empty: the printer's own
    bool mediaSource = false; // the key is a media-source keyword, not an InputSlot
    int duplex = Enkelzijdig;
    int orientation = Staand;
    int copies = 1;
};

// The job number the printer gave, or the Dutch text of why nothing was sent.
struct SubmitResult {
    int job = 0;
    QString error;
};

// The printers of this machine as the print screens and the report jobs see them. Without a
// print system there is simply no printer.
class PrinterService {
public:
    virtual ~PrinterService() = default;

    virtual QStringList printers() = 0;   // in the system's order
    virtual QString defaultPrinter() = 0; // empty when there is none
    // Nothing when the printer cannot be queried (gone, or no print system).
    virtual std::optional<PrinterCapabilities> capabilities(const QString &printer) = 0;
    virtual std::optional<PrinterInfo> info(const QString &printer) = 0;
    // Sends the complete PDF as one job.
    virtual SubmitResult submit(const QString &printer, const QString &pdf, const JobSettings &settings) = 0;
};

// The status bits as text, lowest bit first, each after a line break; "Ready" for none.
QString PrinterStatusText(qint64 status);

} // namespace kv

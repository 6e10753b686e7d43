#pragma once

#include "core/printing/printerservice.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kv {

class Context;

// The logic of the print manager (`frmPrintManager`): the documents a report screen offers, the
// printer and its settings, and the run that calls the caller's `Afdrukken` back. The window
// binds its controls to it.
class PrintManager {
public:
    struct Entry {
        QString text;
        int slot = 0;
    };

    // Opens on the print state: marks the manager open and reads the last printer.
    explicit PrintManager(Context &ctx);
    ~PrintManager();

    const QList<Entry> &entries() const { return m_entries; }
    // The installed printers the list offers, in the system's order.
    const QStringList &printers() const { return m_printers; }
    const QString &printer() const { return m_printer; }
    void selectPrinter(const QString &printer);
    // The chosen printer's sizes and trays; empty when it cannot be queried.
    const PrinterCapabilities &capabilities() const { return m_capabilities; }

    // The choices of the lists, as item data (orientation and duplex 1-based, as the lists count).
    int paperSize = 0, tray = 0, orientation = Staand, duplex = Enkelzijdig;
    QString copies = QStringLiteral("1"); // as typed
    // The matrix printer check box, offered when `MatrixPrinterSupport` is "1"; its state is
    // stored in `MatrixPrinter` each time the printer is prepared.
    bool matrixSupport = false, matrix = false;

    // A document chosen in the list: the stored settings of its kind ("Factuur" for the caller
    // frmFactureringOrders, "CMR" and "VDM" by the entry's beginning) are put in the lists, and
    // the printer's own come back when another document has none. False when the stored
    // printer is empty: the details are shown and nothing changes.
    bool chooseDocument(int index);
    // "Niet beschikbaar: " + the stored text of a printer (0), size (1) or tray (2) not offered.
    QString notAvailable[3];

    // Print (or preview) the entry at `index`; false when it did not run.
    bool run(int index, bool preview);
    // The entry at `index` drawn into the PDF `file` instead of on the printer; also without printers.
    bool savePdf(int index, const QString &file);
    bool running() const { return m_running; }

    // "Printer:", "Status:", "Locatie:", "Commentaar:" of the details; "Onbekend" when the
    // printer cannot be queried.
    struct Details {
        QString printer, status, location, comment;
        bool found = true;
    };
    Details details();

private:
    void prepare();
    bool applyStored(const QString &kind);
    void restoreOwn();

    Context &m_ctx;
    QList<Entry> m_entries;
    QStringList m_printers;
    QString m_printer, m_storedPrinter;
    QString m_ownPrinter; // chosen before stored settings came in force; empty while none are
    PrinterCapabilities m_capabilities;
    bool m_running = false;
};

} // namespace kv

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

    // Print (or preview) the entry at `index`; false when it did not run.
    bool run(int index, bool preview);
    bool running() const { return m_running; }

    // "Printer:", "Status:", "Locatie:", "Commentaar:" of the details; "Onbekend" when the
    // printer cannot be queried.
    struct Details {
        QString printer, status, location, comment;
    };
    Details details();

private:
    void prepare();

    Context &m_ctx;
    QList<Entry> m_entries;
    QStringList m_printers;
    QString m_printer, m_storedPrinter;
    PrinterCapabilities m_capabilities;
    bool m_running = false;
};

} // namespace kv

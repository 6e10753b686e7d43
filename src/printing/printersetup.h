#pragma once

#include "core/printing/printerservice.h"

#include <QString>
#include <QStringList>

#include <array>

namespace kv {

class Context;

// The logic of the printer settings (`frmPrinters`): per document kind the printer, orientation,
// paper size and tray its documents use, and the printing options of the main key. The window
// binds its controls to it.
class PrinterSetup {
public:
    // A document kind as the screen shows it, and the key below `RegKeyPrinter` it is kept in.
    struct Kind {
        QString caption;
        QString key;
        QString toolTip;
    };
    static const std::array<Kind, 8> &kinds();

    // An option of the main key: "1" when its switch is on, else "0".
    struct Switch {
        QString name;
        QString caption;
    };
    static const std::array<Switch, 6> &switches();

    // The lists of one kind. Sizes and trays are the chosen printer's, empty when it cannot be
    // queried; the choices are positions in the lists, -1 where nothing is chosen.
    struct Section {
        QString printer; // empty when no printer is installed
        int orientation = -1; // in `orientationEntries()`
        PrinterCapabilities capabilities;
        int size = -1, tray = -1;
        QString notAvailable[3]; // under the printer, size and tray list
    };

    // Loads every kind and the options.
    explicit PrinterSetup(Context &ctx);

    // Every installed printer, in the system's order.
    const QStringList &printers() const { return m_printers; }
    std::array<Section, 8> sections;
    // Another printer for a kind: its sizes and trays, with its own chosen; the orientation stays.
    void choosePrinter(int kind, const QString &printer);

    QString correctionLeft, correctionTop; // `VDMx`, `VDMy` as typed
    std::array<bool, 6> on{};              // the switches, in the order of `switches()`

    // The correction that is not a whole number: 0 left, 1 top; -1 when both are.
    int badCorrection() const;
    // Writes everything in one go; false, with a message and nothing written, when a
    // correction is not a whole number or the registry cannot be written.
    bool save();

private:
    void load(int kind);

    Context &m_ctx;
    QStringList m_printers;
};

} // namespace kv

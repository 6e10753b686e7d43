#pragma once

#include "core/printing/printerservice.h"

#include <QHash>
#include <QString>

#include <array>
#include <functional>
#include <memory>

namespace kv {

class PrintTarget;

// What the program chose for one printer this run; it starts as the printer's own settings
// and nothing of it is written back to the print system.
struct PrinterSettings {
    int orientation = Staand;
    int paperSize = 0; // number from the printer's list of sizes
    int tray = 0;      // number from its list of trays
    int duplex = Enkelzijdig;
};

// The print state the report screens, the print manager and the preview share.
struct PrintState {
    std::array<QString, 100> PrintDocuments; // slots 1..99 offered; "-" a separator
    QString PrintCaller;
    bool PrintManagerOpen = false;
    int PrintOrientation = 0; // 0 the printer's own, 1 portrait, 2 landscape
    bool PrintFromPreview = false;
    bool PreviewActive = false;
    bool NoPrinter = false;
    std::shared_ptr<kv::PrintTarget> PrintTarget;
    int PrintLineHeight = 0; // twips, like every measure here
    int PrintPageWidth = 0, PrintPageHeight = 0;
    int PrintMarginLeft = 0, PrintMarginTop = 0;

    // Each report screen registers its `Afdrukken(DocumentIndex, Copies, Preview)` under its form name.
    using Afdrukken = std::function<void(int documentIndex, int &copies, bool preview)>;
    QHash<QString, Afdrukken> callers; // keys in lower case

    // The "system printer": the program's current printer, at first the print system's default.
    QString systemPrinter;
    QHash<QString, PrinterSettings> settings; // per printer, once changed
    QString jobTitle; // the chosen entry's text, the title of the job
    int copies = 1;
    // Set while a job goes to this PDF file instead of the printer.
    QString PdfFile;
    // The print manager's progress bar (0 to 100) while a caller's `Afdrukken` runs.
    std::function<void(int)> UpdatePercentage;
};

} // namespace kv

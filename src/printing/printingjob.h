#pragma once

#include <QString>
#include <QStringList>

namespace kv {

// korvenal-admin printers [--details]: one tab-separated line per printer: name, "standaard"
// for the default, status, location, comment; with --details also its paper sizes and trays
// with their numbers. Returns 0, or 1 when there is no printer.
int runPrintersJob(bool details);

// What `afdrukken` is told besides the list and its days; empty: what the printer has.
struct PrintChoices {
    QString printer, formaat, lade, orientatie, zijden, kopieen, pdf;
};

// korvenal-admin afdrukken <map> loslijst|leveringenlijst <datum> [<t/m>] [choices]: the list
// drawn as the screen draws it, to the printer with the print manager's choices, or into a PDF
// file. Returns 0 done; 1 bad input (nothing sent); 2 the administration failed or the printer
// refused the job; 64 usage.
int runPrintJob(const QStringList &arguments, const PrintChoices &choices);

} // namespace kv

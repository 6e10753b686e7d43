#pragma once

#include <QPageLayout>
#include <QString>

namespace kv {

class Context;

// The fields of a printer's settings; those the program keeps are orientation, size, tray and duplex.
inline constexpr int FieldOrientation = 1, FieldPaperSize = 2, FieldPaperLength = 4, FieldPaperWidth = 8,
                     FieldTray = 512, FieldPrintQuality = 1024, FieldColour = 2048, FieldDuplex = 4096;

// The program's current printer: at first the print system's default (else its first printer);
// empty when there is no printer.
QString SystemPrinter(Context &ctx);
void SetSystemPrinter(Context &ctx, const QString &printer);

// One field of the settings the program uses for `printer` this run; 0 when it has none.
int GetPrinterSetting(Context &ctx, const QString &printer, int field);
// False for a printer that cannot be queried and for a field the settings do not carry.
bool SetPrinterSetting(Context &ctx, const QString &printer, int field, int value);

// The page a job on the system printer is laid out on; A4 with 360-twip margins without a printer.
QPageLayout printerPageLayout(Context &ctx);

// The start of every report job: a preview, or the system printer. False (and nothing to draw)
// when a printer job is asked for and there is no printer.
bool BeginPrintJob(Context &ctx, bool preview);
void StartPrinterJob(Context &ctx, bool printFirstLine);
// Puts `PrintOrientation` on the system printer and measures its page.
void ApplyPrinterSetup(Context &ctx);
void BeginPreview(Context &ctx);
// Asks where the PDF of `document` goes, proposing the documents folder and the document's name
// with today's date; "" when the user cancels.
QString AskPdfFile(Context &ctx, const QString &document);
void EndPreview(Context &ctx);

} // namespace kv

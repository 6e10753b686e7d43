#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kv {
class Context;
}

namespace kv::listdetail {

class DetailLogic;

inline constexpr QStringView PalletLabel = u"Palletlabel";
inline constexpr QStringView LintLabel = u"Lintlabel";
inline constexpr QStringView Staand = u"Staand";
inline constexpr QStringView Liggend = u"Liggend";

// One printer of a production line as this workstation's registry keeps it.
struct LinePrinter {
    int number = 0; // the running number within the line
    QString printer;
    QString type = PalletLabel.toString();
    QString pollFile;
    QString orientation = Staand.toString();
    QString format;    // the paper size's name
    int paperSize = 0; // and its platform number
    QString tray;
};

// The printers of a production line: workstation settings under RegKeyPrinter, one string value
// per setting, named by its prefix and the printer's identifier "<CodeNr>_<number>". A printer
// exists while its "Printer_" value is filled; removing one empties that and its type.
class LinePrinters {
public:
    // The production line being edited in its popup.
    explicit LinePrinters(DetailLogic &line);

    // The identifier that follows the prefix of every value name of the printer.
    QString identifier(int number) const;

    // The line's printers by running number, with their name and type only; none while the
    // line is not stored.
    std::vector<LinePrinter> printers() const;
    // Every setting of one printer.
    LinePrinter read(int number) const;

    // A new printer, numbered with the lowest free number. The line is stored first when it is
    // new (after asking); nothing when it is not.
    std::optional<LinePrinter> add();
    // Writes every setting, creating RegKeyPrinter when it is missing. An empty printer gives a
    // message and writes nothing.
    bool save(const LinePrinter &printer);
    // Asks, then empties the printer's name and type. False when the user says no.
    bool remove(int number);

    // The trays offered, by their platform number.
    static QStringList trays();

    // A deleted line's printers go with it, so that a line given its number later starts
    // without them (on this workstation; each keeps its own).
    static void forget(Context &ctx, const QString &line);
    // The check of the line's popup: printers are kept under the line's number, so a line
    // that has them keeps its number.
    static QString numberKept(DetailLogic &line);

private:
    QString read(QStringView prefix, int number) const;
    bool write(QStringView prefix, int number, const QString &text);

    Context &m_ctx;
    DetailLogic &m_line;
};

inline constexpr QStringView GeenPrinter = u"U heeft nog geen printer gekozen.";
inline constexpr QStringView PrinterNietOpgeslagen = u"De printerinstellingen konden niet worden opgeslagen.";
inline constexpr QStringView NummerMetPrinters =
    u"Deze productielijn heeft printers. Haal die eerst van de productielijn voordat u het nummer wijzigt.";

} // namespace kv::listdetail

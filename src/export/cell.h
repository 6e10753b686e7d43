#pragma once

#include <QDate>
#include <QString>

namespace kv {
class Context;
}

namespace kv::exporting {

// A list cell as the spreadsheet receives it: typed from the text the list shows.
struct SheetCell {
    enum class Kind { Blank, Text, Number, Date };
    Kind kind = Kind::Blank;
    QString text;         // Text: the shown text (cut to what a spreadsheet cell holds)
    double number = 0;    // Number
    QDate date;           // Date
    QString numberFormat; // the cell's format; "@" for text and blanks, "dd-mm-yyyy" for dates
};

// The most a spreadsheet cell holds.
inline constexpr int MaxCellText = 32767;

// Reads a shown text with the amount separators of the context (`DecimaalTeken`,
// `DuizendTeken`): a date with "-" (or within brackets), a number, or text.
SheetCell classify(const Context &ctx, const QString &text);

} // namespace kv::exporting

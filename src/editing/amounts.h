#pragma once

#include "core/context.h"

#include <QString>
#include <QVariant>

namespace kv {

struct BedragOpmaak {
    bool negatiefTussenHaken = false; // <1.234,56> instead of -1.234,56
    bool geenDecimalen = false;       // drop the cents
    bool afronden = false;            // round the whole value first, halves to even
};

// The display text of an amount: "," for decimals, "." between thousands, cents rounded half
// up (0,995 gives 1,00). Unreadable input gives the zero text. Formatting a non-blank value
// sets `DecimaalTeken` and `DuizendTeken` to "," and ".", as the rest of the program expects
// from then on.
QString FormatBedrag(Separators &separators, const QVariant &waarde, BedragOpmaak opmaak = {});

// Whole cents as a plain amount for files and tools: the euros, `decimaalTeken` and two digits
// of cents, no thousands separator ("-1234.50" or "1234,50").
QString CentenTekst(qint64 centen, QChar decimaalTeken);

} // namespace kv

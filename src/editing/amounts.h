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

} // namespace kv

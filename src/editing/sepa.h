#pragma once

#include <QString>

namespace kv {

// Text reduced to the SEPA basic Latin set (letters, digits, blank and / - ? : ( ) . , ' +):
// "&" becomes a blank, ";" a comma, accents are folded, everything else is dropped; trimmed
// and, when `maxLengte` is not 0, cut to that length.
QString SepaTekst(QStringView text, int maxLengte = 0);

// The text without control characters, with quotes and "<" turned into ".", accented letters
// folded to plain ones (é to e, æ to ae) and every other character outside basic Latin dropped.
QString VerwijderAccenten(QStringView text);

} // namespace kv

#pragma once

#include "core/context.h"

#include <QString>

namespace kv {

// The keystroke filter that gives a text field its type. `toets` is the typed character code;
// `veldtype` a keyword such as "BEDRAG", "DATUM" or "ALPHA" (case and surrounding blanks do
// not matter). Returns the code to insert, or 0 to swallow the key. In amount, number and
// percentage fields both "," and "." type the first character of `DecimaalTeken`.
int FilterKey(int toets, QStringView veldtype, const Separators &separators);

} // namespace kv

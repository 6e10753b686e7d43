#pragma once

#include <QString>

namespace kv {

// A flag string holds one option per character: "X" on, "-" off; position 1 is the first.

// True when the character at `positie` is "X" (either case); false outside the string.
bool FlagIsAan(QStringView flags, int positie);

// The flags with "X" (on) or "-" (off) at `positie`; unchanged when the position is outside.
QString ZetFlag(int positie, QString flags, bool aan);

} // namespace kv

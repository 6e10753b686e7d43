#pragma once

#include "core/context.h"

#include <QString>
#include <QVariant>

namespace kv {

// A number with a fixed count of decimals (1 to 4; 0 means 2) after `DecimaalTeken`, rounded
// half away from zero, without thousands separators. "%" signs and blanks are ignored; empty,
// "n/a" and "(niet ingesteld)" read as zero. A value that is no number gives "n/a" when
// `naToegestaan`, else zero. With more than 4 decimals the cleaned text comes back unformatted.
QString FormatGetal(const Separators &separators, const QVariant &waarde, int decimalen = 0,
                    bool naToegestaan = false);

// As `FormatGetal` with two decimals (`metDecimalen`) or cut to its integer part towards zero
// (without), with `DuizendTeken` between thousands when asked. An empty value gives "".
QString FormatGetalGegroepeerd(const Separators &separators, const QVariant &waarde, bool metDecimalen,
                               bool metDuizendtallen);

// Drops trailing zeros of the fraction after `DecimaalTeken`, keeping one digit (12,500 gives
// 12,5; 12,000 gives 12,0); with `ookKaleNul` a trailing ",0" goes too (12).
QString VerwijderNullen(const Separators &separators, QString getal, bool ookKaleNul);

// True when the text is not empty and holds only 0-9.
bool IsNumeriek(QStringView text);
// True when the text is not empty and holds only 0-9 and the locale's plain number separators
// (`GetalDecimaalTeken`, `GetalDuizendTeken`).
bool IsNumeriek(QStringView text, const Separators &separators);

// The numeric value of a text's leading number, as the suite's programs read typed numbers:
// blanks anywhere are skipped, a sign and one "." may come with the digits, the rest is
// ignored ("12a" is 12, "a12" and "" are 0).
double Val(QStringView text);

} // namespace kv

#pragma once

#include "core/context.h"

#include <QString>

#include <optional>

namespace kv {

// The stored form "yyyymmdd" of a typed date, or nothing when the text is no valid date.
//
// "-", "/" and "." are ignored; the two to eight digits left are read by their count: dd,
// ddm, ddmm, ddmyy, ddmmyy, ddmyyyy, ddmmyyyy. With an odd count whose one-digit month is no
// month, the day is read as the one digit instead (dmm, dmmyy, dmmyyyy). A missing month or
// year is today's; a two-digit year falls in the hundred years ending with
// `TweeCijferJaarMax`. Years run from 1800 (1500 when typed in eight digits) to 2100.
// With `geenToekomst` a date after today is refused with a warning to the user.
std::optional<QString> DatumControleren(const Context &context, QStringView invoer, bool geenToekomst = false);

} // namespace kv

#pragma once

#include <QString>

namespace kv::finance {

// korvenal-admin perioden <map>: the booking periods, one tab-separated line each (number,
// description, first and last day as stored, "open" or "geblokkeerd").
// korvenal-admin perioden <map> --genereer jaar|kwartaal|maand|week [--geforceerd]: stores the
// type of booking periods and makes the periods anew from the financial year. While bookings
// have periods that needs --geforceerd, which is logged as the screen logs it.
// Returns the exit code: 0 done, 1 refused (nothing written), 2 the administration failed.
int runPeriodsJob(const QString &folder, const QString &type, bool forced);

} // namespace kv::finance

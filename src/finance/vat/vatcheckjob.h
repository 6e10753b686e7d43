#pragma once

#include <QString>

namespace kv::finance {

// korvenal-admin btwcontrole <map> [--van ddmmjjjj --tot ddmmjjjj]: what to look at before the
// VAT return, one tab-separated line each (code, finding); without dates the last return period
// that has ended. Returns 0 without findings, 1 with findings or bad dates, 2 when the
// administration failed.
int runVatCheckJob(const QString &folder, const QString &from, const QString &to);

} // namespace kv::finance

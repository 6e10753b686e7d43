#pragma once

#include <QStringList>

namespace kv::finance::assets {

// korvenal-admin afschrijvingen <map> <jaar> [--activum <nr>]: the depreciation of every asset
// (or one) in the booking periods of a year, tab-separated with a header and a "Totaal" row.
// Reads only. Returns 0; 1 bad input (nothing printed); 2 the administration cannot be opened;
// 3 assets the register would refuse were skipped, each named on standard error; 64 usage.
int runAssetsJob(const QStringList &arguments, const QString &activum);

} // namespace kv::finance::assets

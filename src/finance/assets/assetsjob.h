#pragma once

#include "finance/assets/assetregister.h"

#include <QStringList>

#include <functional>

namespace kv {
class Progress;
}

namespace kv::finance::assets {

// korvenal-admin afschrijvingen <map> <jaar> [--activum <nr>]: the depreciation of every asset
// (or one) in the booking periods of a year, tab-separated with a header and a "Totaal" row.
// Reads only. Returns 0; 1 bad input (nothing printed); 2 the administration cannot be opened;
// 3 assets the register would refuse were skipped, each named on standard error; 130 stopped by
// SIGINT or SIGTERM; 64 usage.
int runAssetsJob(const QStringList &arguments, const QString &activum);

// The table of the tool: `uit` hears each line (without its line end), `geweigerd` each asset
// the register would refuse (left out). False when any was refused, or when `voortgang` asked
// to stop (the table then ends where it stopped, without its "Totaal" row).
bool jaaroverzicht(const std::vector<Geregistreerd> &activa, int jaar, bool afronden,
                   const std::function<void(const QString &)> &uit,
                   const std::function<void(const Geregistreerd &, const QStringList &)> &geweigerd,
                   Progress *voortgang = nullptr);

} // namespace kv::finance::assets

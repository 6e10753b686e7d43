#pragma once

#include "finance/assets/schedule.h"

#include <QString>

#include <optional>
#include <vector>

namespace kv {
class Context;
}

namespace kv::finance::assets {

// An asset of `ActivaRegistratie` with what the lists show of it.
struct Geregistreerd {
    qint64 nummer = 0;
    QString omschrijving, groep; // the group's description, "onbekend" when it does not exist
    bool metGroep = false;
    Activum activum;
};

// The assets in number order, or only `nummer` (none when it does not exist).
std::vector<Geregistreerd> leesActiva(Context &ctx, std::optional<qint64> nummer = std::nullopt);

// The general settings that count for `jaar`: the year's own, or the latest earlier year's.
struct JaarInstellingen {
    bool heleEuros = false; // `Afronden` "1": amounts to whole euros
    qint64 ondergrens = 0;  // the fiscal lower limit, in cents
};
JaarInstellingen jaarInstellingen(Context &ctx, int jaar);

} // namespace kv::finance::assets

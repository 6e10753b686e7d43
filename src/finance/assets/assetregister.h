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

// Whether amounts of `jaar` are rounded to whole euros: `Afronden` of the year's general
// settings, or of the latest earlier year that has them.
bool heleEuros(Context &ctx, int jaar);

} // namespace kv::finance::assets

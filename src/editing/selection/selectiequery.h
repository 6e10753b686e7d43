#pragma once

#include "editing/selection/selectiekinds.h"

#include <QString>

namespace kv {

// The search text as it may go into SQL: without single and double quotes, which would end
// the literals it is placed in.
QString zonderQuotes(QString text);

// The query of a kind for search text `zoektekst` and sort order `volgorde` (0 is the first of
// the kind; out of range means 0). "*" or an empty text lists the whole table in that order.
QString selectieQuery(const SelectieBouwer &bouwer, const QString &zoektekst, int volgorde);

} // namespace kv

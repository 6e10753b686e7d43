#pragma once

#include "editing/selection/selectiekinds.h"

#include <QString>

namespace kv {

// The search text as the screens search it: without single and double quotes (the suite always
// searched without them) and without a NUL, which no stored text holds.
QString zonderQuotes(QString text);

// A search text as a literal between single quotes, as the screens' queries write them; through
// the engine's one quoting function, so no text can change the statement.
QString zoekLiteral(const QString &waarde);

// The query of a kind for search text `zoektekst` and sort order `volgorde` (0 is the first of
// the kind; out of range means 0). "*" or an empty text lists the whole table in that order.
QString selectieQuery(const SelectieBouwer &bouwer, const QString &zoektekst, int volgorde);

} // namespace kv

#pragma once

#include "editing/options/option.h"

#include <QString>

namespace kv::options {

// Whether a link's folder (or the folder of a file it writes) can be used: "ok", "ontbreekt",
// "alleen lezen", or "niet ingesteld" for an empty path.
QString pathStatus(Control kind, const QString &path);

// Whether the status names a path that is set but cannot be used.
bool isBroken(const QString &status);

} // namespace kv::options

#pragma once

#include "core/jobs/listsource.h"

#include <QStringList>

#include <vector>

namespace kv::exporting {

// korvenal-admin exporteer <map> <lijst> <bestand.xlsx|.csv> [--datum d [--tot d]] [--zoek t]:
// the list by its name among those of the record-editing framework and of `finders`, narrowed
// by `narrowing` (its name is the list's). 0 written, 1 bad input (nothing written), 2 the
// administration or the file failed, 130 interrupted, 64 wrong usage.
int runExportJob(const QStringList &arguments, ListRequest narrowing, const std::vector<ListFinder> &finders);

} // namespace kv::exporting

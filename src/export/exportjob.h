#pragma once

#include <QStringList>

namespace kv::exporting {

// korvenal-admin exporteer <map> <lijst> <bestand.xlsx|.csv>: 0 written, 1 bad input (nothing
// written), 2 the administration or the file failed, 130 interrupted, 64 wrong usage.
int runExportJob(const QStringList &arguments);

} // namespace kv::exporting

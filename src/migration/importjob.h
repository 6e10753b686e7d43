#pragma once

#include "migration/source.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace kv::migration {

// korvenal-admin importeer <bronmap> <doelmap>: makes a new administration in <doelmap> from the
// Access databases, the password file and the marker files of a data folder of the Windows
// suite, which is only read. The new administration is put in place only when it is complete.
// 0 every row copied; 3 copied, with what did not fit in importverslag.txt; 1 bad input (no
// database in the source, the target exists); 2 a source file unreadable; 130 interrupted;
// 64 wrong usage.
int runImportJob(const QStringList &arguments);

// The job on its two folders, reading each database file through `open` (which throws
// SourceError for a file it cannot read).
using OpenSource = std::function<std::unique_ptr<SourceReader>(const QString &path)>;
int importAdministration(const QString &source, const QString &target, const OpenSource &open);

} // namespace kv::migration

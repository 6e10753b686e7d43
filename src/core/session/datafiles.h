#pragma once

#include <QString>

namespace kv {

// The files of a data folder are found without regard to case (the suite comes from a
// case-insensitive file system). A database the suite names "X.mdb" is stored as "X.sqlite";
// either name is accepted. Returns the full path, or an empty text when there is no such file.
QString findDataFile(const QString &folder, const QString &name);

// Where a database named "X.mdb" is stored in `folder`: the existing file, or "X.sqlite" for a new one.
QString databasePath(const QString &folder, const QString &name);

} // namespace kv

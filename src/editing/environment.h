#pragma once

#include <QString>

namespace kv {

// True when a search on the path finds a file. The last part may hold the wildcards "*" and
// "?" and is matched ignoring case, as on the file system the suite comes from; a database
// named ".mdb" is also found as ".sqlite" and the other way round. A path ending in a
// separator asks whether the folder holds any file.
bool BestandBestaat(const QString &pad);

} // namespace kv

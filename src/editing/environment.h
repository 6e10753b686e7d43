#pragma once

#include <QString>

namespace kv {

class Registry;

// True when a search on the path finds a file. The last part may hold the wildcards "*" and
// "?" and is matched ignoring case, as on the file system the suite comes from; a database
// named ".mdb" is also found as ".sqlite" and the other way round. A path ending in a
// separator asks whether the folder holds any file.
bool BestandBestaat(const QString &pad);

// The user's documents folder, with a trailing separator: the shell folder "Personal" when the
// registry names an existing folder, else the desktop's documents folder.
QString DocumentsFolder(Registry *registry);

} // namespace kv

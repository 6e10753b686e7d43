#pragma once

#include <QString>

namespace kv {

// Decodes a line of the suite's user file: every character code is halved (ties to even) and
// the text reversed. The file must be read as Latin-1 so that each character keeps the code
// of its byte.
QString DeCodeer(QStringView text);

} // namespace kv

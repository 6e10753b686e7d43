#pragma once

#include <QString>

namespace kv {

// Decodes a line of the suite's user file: every character code is halved (ties to even) and
// the text reversed. The file must be read as Latin-1 so that each character keeps the code
// of its byte.
QString DeCodeer(QStringView text);

// Scrambles a line as the suite writes its user file: the text reversed and every character
// code doubled. Only for Latin-1 text below code 128, whose doubled codes still fit a byte.
QString Codeer(QStringView text);

} // namespace kv

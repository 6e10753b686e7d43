#pragma once

#include "finance/correction/correction.h"

namespace kv::finance {

// korvenal-admin correctie <map> [--boekdatum] [--periode] [--betaaldatum] [--proef]: the
// correction of the screen without its questions. Prints per table the rows changed (with
// `trial`: that would change) as tab-separated lines; a progress line on a terminal.
// Returns the exit code: 0 done, 1 nothing chosen or no year end (nothing changed), 2 the
// administration cannot be opened, 3 failed part-way (the units before stay: run again),
// 130 interrupted (the units finished stay), 64 wrong usage.
int runCorrectionJob(const QStringList &arguments, const CorrectionChoice &choice, bool trial);

} // namespace kv::finance

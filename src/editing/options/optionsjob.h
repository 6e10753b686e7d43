#pragma once

#include "editing/options/option.h"

#include <QStringList>

namespace kv::options {

// korvenal-admin opties <map>: every option of every option screen, one tab-separated line each
// (screen, key, value as stored, as shown).
// korvenal-admin opties <map> <formulier> <sleutel>=<waarde>...: sets and saves them as the
// screen would; with `undo` (--ongedaan) instead undoes the screen's last save. A question the
// screen asks is answered Yes only with `yes` (--ja); otherwise it goes to standard error and
// nothing is written.
// Returns the exit code: 0 done, 1 refused (nothing written), 2 the administration failed,
// 64 wrong usage.
int runOptionsJob(const QStringList &arguments, bool undo, bool yes, const std::vector<OptionScreen> &screens);

// korvenal-admin koppelingen <map>: every folder and file of every option screen, one
// tab-separated line each (screen, key, path, status: "ok", "ontbreekt", "alleen lezen" or
// "niet ingesteld"). Returns 0, 1 when a path that is set cannot be used, 2 the administration
// failed, 64 wrong usage.
int runLinksJob(const QStringList &arguments, const std::vector<OptionScreen> &screens);

} // namespace kv::options

#pragma once

#include <QString>

#include <functional>

namespace kv {
class Context;

// Runs a screen's checks before a save: `firstFailure` gives the message of the first check
// that fails, or "". That message is shown (an error of the engine is reported as every
// operation's); true when every check passed. `screen` names the screen in the log.
bool passesChecks(Context &ctx, const QString &screen, const std::function<QString()> &firstFailure);

} // namespace kv

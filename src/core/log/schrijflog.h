#pragma once

#include <QString>

namespace kv {

class Context;

// `width` blanks with the trimmed text written from the first position; longer text is cut.
QString PadRechts(const QString &text, int width);

// Appends the line for `text` to this month's log in the data folder ("kvpro-yyyy-mm.log"),
// and, when `errorNumber` is not 0, an ERROR line with the number and description.
// Each line: date and time, workstation (15), "BEHEER" (15) and the text, separated by " : ".
// An empty text writes an empty line. Never fails: what cannot be written is not logged.
void SchrijfLog(const Context &ctx, const QString &text, int errorNumber = 0,
                const QString &errorDescription = {});

// The log file of the month of `ctx.now()`.
QString logFilePath(const Context &ctx);

} // namespace kv

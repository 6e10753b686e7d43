#pragma once

#include <QDate>
#include <QString>

namespace kv {

namespace db {
class DbError;
}
class Context;
class Registry;

// The administration the command line names: the data folder with a trailing separator, and
// the code and year from the last six characters of the folder's name ("...012024": code
// "01", year "2024"). Nothing checks that these are digits.
struct CommandLineFolder {
    QString dataPad;
    QString adminCode;
    QString adminJaar;
};
CommandLineFolder parseCommandLine(const QString &commandLine);

// Takes the separators, currency symbol and short date format from `ctx.locale`.
void readLocale(Context &ctx);

// The last year a two-digit year stands for, as the user's calendar settings give it, or
// the current year plus 25 when they give nothing.
int readTweeCijferJaarMax(Registry &registry, QDate today);

// A machine the suite was never installed on gets the suite's keys, as the installer makes
// them; values can only be written under keys that exist.
void installRegistryKeys(Registry &registry);

// A start that cannot open its administration ends without a word on screen; why is written
// to the log and, as one line, to standard error.
void reportFailedOpen(const Context &ctx, const db::DbError &error);

} // namespace kv

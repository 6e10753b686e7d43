#pragma once

#include "core/db/dberror.h"

#include <QString>

#include <exception>

namespace kv {

class Context;

// Logs a failed operation (an "SYSTEEM" line naming it and the ERROR line) and shows the
// error window. The program goes on.
void reportError(Context &ctx, const QString &operation, int number, const QString &description);

// Runs one operation of a screen. What it throws is reported as above; returns whether the
// operation completed. `operation` names it in the log, e.g. "frmBTW: Opslaan".
template <class Operation>
bool tryOperation(Context &ctx, const QString &operation, Operation &&run)
{
    try {
        run();
        return true;
    } catch (const db::DbError &e) {
        reportError(ctx, operation, e.number(), e.description());
    } catch (const std::exception &e) {
        reportError(ctx, operation, -1, QString::fromLocal8Bit(e.what())); // not an engine error: no number
    }
    return false;
}

} // namespace kv

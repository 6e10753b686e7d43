#include "core/messages/errorreport.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/log/schrijflog.h"

namespace kv {

void reportError(Context &ctx, const QString &operation, int number, const QString &description)
{
    SchrijfLog(ctx, PadRechts(QStringLiteral("SYSTEEM"), 10) + u": + Actie         : " + operation, number, description);
    if (!ctx.dialogs)
        return;
    const QString fout = number > 0 ? QStringLiteral("Fout %1").arg(number) : QStringLiteral("Fout");
    ctx.dialogs->DisplayError(description + u"\n\n" + fout + u" bij: " + operation);
}

} // namespace kv

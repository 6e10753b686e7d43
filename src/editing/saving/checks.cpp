#include "editing/saving/checks.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"

namespace kv {

bool passesChecks(Context &ctx, const QString &screen, const std::function<QString()> &firstFailure)
{
    QString message;
    if (!tryOperation(ctx, screen + u": Controleren", [&] { message = firstFailure(); }))
        return false;
    if (message.isEmpty())
        return true;
    ctx.dialogs->MsgBox(message, mb::Exclamation);
    return false;
}

} // namespace kv

#include "core/messages/qtdialogservice.h"

#include "core/context.h"
#include "core/messages/cmessage.h"

namespace kv {

int QtDialogService::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    CMessage message(m_window);
    return message.MsgBox(prompt, buttons, title.isEmpty() ? TitelPrefix.toString() : title);
}

void QtDialogService::DisplayError(const QString &message, bool withHelp)
{
    CMessage(m_window).DisplayError(message, withHelp);
}

} // namespace kv

#include "support/scripted_dialogs.h"

#include "core/messages/messagestyle.h"

namespace kv::test {

namespace {

// Without an answer in the script the question gets the button that has the focus at first.
int defaultButton(int buttons)
{
    const MessageStyle style = decodeMsgBoxStyle(buttons);
    const int standard = int(style.buttons.size()) - (buttons & mb::MsgBoxHelpButton ? 1 : 0);
    return msgBoxResult(style.buttonSet, style.defaultButton < standard ? style.defaultButton : 0);
}

} // namespace


int ScriptedDialogs::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    shown.push_back({prompt, buttons, title});
    if (answers.empty())
        return defaultButton(buttons);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedDialogs::DisplayError(const QString &message, bool)
{
    errors += message;
}

QStringList ScriptedDialogs::prompts() const
{
    QStringList list;
    for (const Shown &s : shown)
        list += s.prompt;
    return list;
}

} // namespace kv::test

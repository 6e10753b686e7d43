#include "support/scripted_dialogs.h"

#include <vector>

namespace kv::test {

namespace {

// The buttons of each button set (the low three style bits), left to right.
const std::vector<int> buttonSets[] = {
    {mb::OK},
    {mb::OK, mb::Cancel},
    {mb::Abort, mb::Retry, mb::Ignore},
    {mb::Yes, mb::No, mb::Cancel},
    {mb::Yes, mb::No},
    {mb::Retry, mb::Cancel},
};

int defaultButton(int buttons)
{
    const int set = buttons & 7;
    const std::vector<int> &choices = set < 6 ? buttonSets[set] : buttonSets[0];
    const size_t index = size_t((buttons >> 8) & 3);
    return index < choices.size() ? choices[index] : choices.front();
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

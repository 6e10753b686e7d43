#pragma once

#include "core/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace kv::test {

// The dialog service of the tests: every message box is recorded with its buttons and title,
// and answered from a script. When the script has run out, the default button of the box is
// pressed, as a user pressing Enter would.
class ScriptedDialogs : public DialogService {
public:
    struct Shown {
        QString prompt;
        int buttons = 0;
        QString title;
    };

    // The answers (mb::Yes, mb::No, ...) for the next message boxes, in order.
    void script(std::initializer_list<int> answers) { this->answers.insert(this->answers.end(), answers); }

    int MsgBox(const QString &prompt, int buttons = 0, const QString &title = {}) override;
    void DisplayError(const QString &message, bool withHelp = false) override;
    void OpenDocument(const QString &pathOrAddress) override { opened += pathOrAddress; }

    // The prompts of every message box, in order.
    QStringList prompts() const;

    std::vector<Shown> shown;
    QStringList errors;
    QStringList opened; // documents and web pages asked to be opened
    std::deque<int> answers;
};

} // namespace kv::test

#pragma once

#include "core/messages/fmessage.h"

namespace kv {

// One question or error message, shown in an FMessage; lives as long as the question.
class CMessage {
public:
    explicit CMessage(QWidget *parent = nullptr);

    // Shows `prompt` with the buttons, icon, focus and alignment the style bits ask for;
    // returns 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes or 7 No.
    int MsgBox(const QString &prompt, int style, const QString &title);

    // The error window: "Sluiten", "Kopie" (puts the message on the clipboard and stays
    // open) and, when asked for, "Help"; returns when it is closed.
    void DisplayError(const QString &message, bool withHelp);

    FMessage &form() { return m_form; }

private:
    void buttonClicked(int index);

    FMessage m_form;
    QString m_message;
};

} // namespace kv

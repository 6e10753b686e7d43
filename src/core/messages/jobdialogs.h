#pragma once

#include "core/dialogs.h"

namespace kv {

// The dialog service of the unattended jobs: every message goes to standard error, and a
// question gets the answer the job's options gave (a job never waits on standard input).
class JobDialogs : public DialogService {
public:
    explicit JobDialogs(bool yes) : m_yes(yes) {}

    int MsgBox(const QString &prompt, int buttons = 0, const QString &title = {}) override;
    void DisplayError(const QString &message, bool withHelp = false) override;
    bool OpenDocument(const QString &) override { return false; }

    // Whether a message other than a question was shown: the job did not do all it was asked.
    bool told() const { return m_told; }
    bool failed() const { return m_failed; } // an error of the administration or a file

private:
    bool m_yes;
    bool m_told = false;
    bool m_failed = false;
};

} // namespace kv

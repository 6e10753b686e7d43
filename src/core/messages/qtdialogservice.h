#pragma once

#include "core/dialogs.h"

class QWidget;

namespace kv {

// The dialog service of the running console: every message is an FMessage over the main
// window.
class QtDialogService : public DialogService {
public:
    void setWindow(QWidget *window) { m_window = window; }

    int MsgBox(const QString &prompt, int buttons = 0, const QString &title = {}) override;
    void DisplayError(const QString &message, bool withHelp = false) override;
    bool OpenDocument(const QString &pathOrAddress) override;
    std::optional<QColor> ChooseColour(const QColor &current) override;
    QString ChooseFolder(const QString &current, const QString &title) override;
    QString SaveFile(const QString &title, const QString &filter, const QString &proposed) override;
    QString OpenFile(const QString &title, const QString &filter, const QString &start) override;

private:
    QWidget *m_window = nullptr;
};

} // namespace kv

#pragma once

#include "mail/templateeditor.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace kv {

// The template editor: four tabs over one TemplateEditor, OK, "Annuleren" and the test message.
class FrmEmailServerPopup : public QDialog {
    Q_OBJECT
public:
    // Edits what the edit context names (`ctx.EditMode`, `ctx.EditKey`).
    explicit FrmEmailServerPopup(Context &ctx, QWidget *parent = nullptr);

    TemplateEditor &editor() { return m_editor; }
    void accept() override;

private:
    QWidget *basics();
    QWidget *user();
    QWidget *content();
    QWidget *attachments();
    QLineEdit *text(QWidget *parent, const QString &field, const char *name);
    QCheckBox *toggle(QWidget *parent, const QString &field, const QString &caption, const char *name);
    void showAttachments();
    void showUser();
    void openHelp();
    void sendTest();

    Context &m_ctx;
    TemplateEditor m_editor;
    QComboBox *m_type = nullptr, *m_users = nullptr;
    QCheckBox *m_sendUbl = nullptr;
    QButtonGroup *m_forUser = nullptr;
    QPlainTextEdit *m_content = nullptr;
    QListWidget *m_files = nullptr;
    QPushButton *m_add = nullptr, *m_remove = nullptr;
};

} // namespace kv

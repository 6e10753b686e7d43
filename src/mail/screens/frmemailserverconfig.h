#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QThread;

namespace kv {

class Context;
struct ServerForm;

// The server dialog ("E-mail"): the administration's outgoing mail server in three tabs. OK
// stores the seven values at once; bad input is refused with a message and stores nothing.
class FrmEmailServerConfig : public QDialog {
    Q_OBJECT
public:
    explicit FrmEmailServerConfig(Context &ctx, QWidget *parent = nullptr);

    void accept() override;
    void reject() override;
    ~FrmEmailServerConfig() override;

private:
    ServerForm form() const;
    void cmdTestConnection_Click();
    void showReport(bool ok, const QStringList &lines);

    Context &m_ctx;
    QLineEdit *m_server, *m_port, *m_user, *m_password;
    QCheckBox *m_ssl, *m_mailer;
    QButtonGroup *m_auth;
    QPushButton *m_test;
    QThread *m_worker = nullptr;
};

} // namespace kv

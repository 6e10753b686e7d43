#pragma once

#include <QDialog>

#include <atomic>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;

namespace kv {

class Context;

// "E-mail sjablonen - Testbericht": sends the stored template `codeNr` to the address typed.
// The send runs in a worker thread; the status line follows its steps and the bar the bytes
// sent. Closing the window while it sends stops the send.
class FrmEmailServerPopupTestEmail : public QDialog {
    Q_OBJECT
public:
    FrmEmailServerPopupTestEmail(Context &ctx, const QString &codeNr, QWidget *parent = nullptr);
    ~FrmEmailServerPopupTestEmail() override;

    void reject() override;

private:
    void cmdSend_Click();
    void finish(int number, const QString &description);

    Context &m_ctx;
    QString m_codeNr;
    QString m_address;
    QLineEdit *m_typed;
    QPushButton *m_send;
    QLabel *m_status;
    QProgressBar *m_bar;
    QThread *m_worker = nullptr;
    std::atomic_bool m_stop = false;
};

} // namespace kv

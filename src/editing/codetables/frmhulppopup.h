#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace kv {
class Context;
}

namespace kv::codetables {

// The popup's OK: a text that differs from the old one (blanks around it aside) is answered
// with `EditMode` "update" and the new text in `EditKey`. True when it did.
bool hulpPopupOk(Context &ctx, const QString &oldText, const QString &newText);

// `frmHulpPopup`: changes one entry; it gets the entry's text in `EditKey`.
class FrmHulpPopup : public QDialog {
    Q_OBJECT
public:
    FrmHulpPopup(Context &ctx, const QString &tableKey, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void ok();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Context &m_ctx;
    QString m_old;
    QLineEdit *m_line = nullptr;
    QPlainTextEdit *m_lines = nullptr; // closing lines of invoices take several lines
};

} // namespace kv::codetables

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace kv {
class Context;
}

namespace kv::finance {

// Checking the VAT codes and the ledger lines of a return period before the VAT return
// (frmBTWControle): the period, and what to look at, code by code.
class FrmBTWControle : public QDialog {
    Q_OBJECT
public:
    explicit FrmBTWControle(Context &ctx, QWidget *parent = nullptr);

    QTreeWidget *findings() const { return m_findings; }
    void cmdCheck_Click();

private:
    Context &m_ctx;
    QLineEdit *m_from, *m_to;
    QTreeWidget *m_findings;
    QLabel *m_summary;
};

} // namespace kv::finance

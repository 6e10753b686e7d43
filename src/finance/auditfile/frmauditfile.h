#pragma once

#include "core/navigation/childscreen.h"
#include "finance/auditfile/sections.h"

class QCheckBox;
class QPushButton;

namespace kv {
class BusyPanel;
class Context;
} // namespace kv

namespace kv::finance::auditfile {

// frmAuditFile: the audit file of the open administration and year, with the three choices
// agreed with the accountant. "Aanmaken..." asks where, makes the file with a busy panel that
// can be stopped, tells how it went and goes back to the menu.
class FrmAuditFile : public ChildScreen {
    Q_OBJECT
public:
    explicit FrmAuditFile(Context &ctx);

    Opties opties() const;
    // The file the save dialog proposes: the documents folder, today as yyyymmdd, ".xaf".
    QString voorgesteldBestand() const;
    void cmdAanmaken_Click();

private:
    Context &m_ctx;
    QCheckBox *m_zonderBeginbalans, *m_kostenplaatsen, *m_btw;
    QPushButton *m_aanmaken;
    BusyPanel *m_bezig;
};

} // namespace kv::finance::auditfile

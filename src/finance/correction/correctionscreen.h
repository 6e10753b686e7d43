#pragma once

#include "core/navigation/childscreen.h"
#include "finance/correction/correction.h"

class QPushButton;

namespace kv {
class BusyPanel;
class Context;
class YesNo;
} // namespace kv

namespace kv::finance {

// frmBoekhouding_CorrectieBoekPeriode: the year end in its texts, three switches and the
// button that runs the correction, with a busy panel while it works.
class CorrectionScreen : public ChildScreen {
    Q_OBJECT
public:
    explicit CorrectionScreen(Context &ctx);

    BookingCorrection &logic() { return m_logic; }
    CorrectionChoice choice() const;
    void cmdCorrigeren_Click();

private:
    Context &m_ctx;
    BookingCorrection m_logic;
    YesNo *m_boekdata, *m_periode, *m_betaaldata;
    QPushButton *m_run;
    BusyPanel *m_busy;
};

} // namespace kv::finance

#pragma once

#include "core/navigation/childscreen.h"
#include "finance/correction/correction.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kv {
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
    class Busy;

    Context &m_ctx;
    BookingCorrection m_logic;
    YesNo *m_boekdata, *m_periode, *m_betaaldata;
    QPushButton *m_run;
    QWidget *m_busy;
    QLabel *m_busyStep;
    QProgressBar *m_busyBar;
};

} // namespace kv::finance

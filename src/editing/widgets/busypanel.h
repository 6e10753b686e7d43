#pragma once

#include "core/jobs/progress.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kv {

// The busy panel of a screen: "De gegevens worden verwerkt...", what the work does now and a
// bar. Hidden until the first step of a run; the busy pointer is up while it shows. A panel
// that can stop shows "Afbreken": that button and Escape ask the work to stop, every other
// click and key is held off while it works.
class BusyPanel : public QWidget, public Progress {
    Q_OBJECT
public:
    BusyPanel(QWidget *parent, bool canStop);
    ~BusyPanel() override;

    void step(const QString &text) override;
    void percent(int value) override;
    bool stopRequested() override;
    void finished() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paint();

    QLabel *m_step;
    QProgressBar *m_bar;
    QPushButton *m_stop = nullptr;
    bool m_running = false;
    bool m_stopRequested = false;
};

} // namespace kv

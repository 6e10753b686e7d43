#pragma once

#include <QString>

namespace kv {

// Hears how long work goes: the screen's busy panel, the tool's progress line.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void step(const QString &text) = 0; // what the work does now
    virtual void percent(int value) = 0;        // 0..100 within the step
    // Asked between units of work: true stops the run there.
    virtual bool stopRequested() { return false; }
    // The work is over (done, stopped or failed), before anything is said about it.
    virtual void finished() {}
};

} // namespace kv

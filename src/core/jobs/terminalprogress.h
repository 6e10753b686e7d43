#pragma once

#include "core/jobs/progress.h"

namespace kv {

// The tool's progress: a line on standard error that rewrites itself, only on a terminal.
// While it lives, SIGINT and SIGTERM ask the work to stop between two units.
class TerminalProgress : public Progress {
public:
    TerminalProgress();
    ~TerminalProgress() override;
    void step(const QString &text) override;
    void percent(int value) override;
    bool stopRequested() override;
    void finished() override;

private:
    bool m_terminal;
    bool m_line = false;
    int m_shown = -1;
    QString m_step;
};

} // namespace kv

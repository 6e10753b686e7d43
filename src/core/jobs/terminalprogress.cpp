#include "core/jobs/terminalprogress.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace kv {
namespace {

std::atomic<bool> g_stop = false;

void stop(int)
{
    g_stop = true;
}

} // namespace

TerminalProgress::TerminalProgress() : m_terminal(::isatty(STDERR_FILENO))
{
    g_stop = false;
    struct sigaction action = {};
    action.sa_handler = stop;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM})
        sigaction(signal, &action, nullptr);
}

TerminalProgress::~TerminalProgress()
{
    finished();
}

void TerminalProgress::step(const QString &text)
{
    m_step = text;
    m_shown = -1;
    percent(0);
}

void TerminalProgress::percent(int value)
{
    if (!m_terminal || value == m_shown)
        return;
    m_shown = value;
    std::fprintf(stderr, "\r%s %3d%%", qPrintable(m_step), value);
    std::fflush(stderr);
    m_line = true;
}

bool TerminalProgress::stopRequested()
{
    return g_stop;
}

void TerminalProgress::finished()
{
    if (m_line)
        std::fputc('\n', stderr);
    m_line = false;
}

} // namespace kv

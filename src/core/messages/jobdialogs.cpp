#include "core/messages/jobdialogs.h"

#include <cstdio>

namespace kv {

int JobDialogs::MsgBox(const QString &prompt, int buttons, const QString &)
{
    std::fprintf(stderr, "%s\n", qPrintable(prompt));
    const int set = buttons & 7;
    if (set == mb::YesNo || set == mb::YesNoCancel)
        return m_yes ? mb::Yes : mb::No;
    m_told = true;
    return mb::OK;
}

void JobDialogs::DisplayError(const QString &message, bool)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    m_told = m_failed = true;
}

} // namespace kv

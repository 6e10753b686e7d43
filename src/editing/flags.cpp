#include "editing/flags.h"

namespace kv {

bool FlagIsAan(QStringView flags, int positie)
{
    return positie >= 1 && positie <= flags.size() && flags[positie - 1].toUpper() == u'X';
}

QString ZetFlag(int positie, QString flags, bool aan)
{
    if (positie >= 1 && positie <= flags.size())
        flags[positie - 1] = aan ? u'X' : u'-';
    return flags;
}

} // namespace kv

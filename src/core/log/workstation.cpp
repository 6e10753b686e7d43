#include "core/log/workstation.h"

namespace kv {

QString GeldigeBestandsnaam(const QString &text)
{
    QString name = text;
    for (QChar c : u":/\\?!<>*\"|")
        name.remove(c);
    return name;
}

QString loginName()
{
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"})
        if (const QString name = qEnvironmentVariable(variable); !name.isEmpty())
            return name;
    return QStringLiteral("-");
}

QString GetComputerNaam(const QString &machineName)
{
    const QString name = GeldigeBestandsnaam(machineName.left(machineName.indexOf(QChar(0))));
    return name.isEmpty() ? QStringLiteral("-") : name;
}

} // namespace kv

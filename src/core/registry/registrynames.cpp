#include "core/registry/registry.h"

namespace kv {

QString regNameCodeFirst(const QString &adminCode, QStringView name)
{
    return adminCode + u'-' + name;
}

QString regNameCodeLast(const QString &adminCode, QStringView name)
{
    return name + adminCode;
}

QString regNameDashCode(const QString &adminCode, QStringView name)
{
    Q_ASSERT(name.endsWith(u'-'));
    return name + adminCode;
}

} // namespace kv

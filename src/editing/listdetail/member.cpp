#include "editing/listdetail/member.h"

#include "editing/listdetail/detaillogic.h"

namespace kv::listdetail {

const Field *Member::field(const QString &name) const
{
    for (const Field &f : fields) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

Check required(const QString &field, const QString &message)
{
    return [=](DetailLogic &popup) { return popup.text(field).trimmed().isEmpty() ? message : QString(); };
}

Check unique(const QString &field, const QString &message)
{
    return [=](DetailLogic &popup) {
        const QString text = popup.text(field).trimmed();
        return !text.isEmpty() && popup.usedElsewhere(field, text) ? message + text : QString();
    };
}

Check requiredWhen(const QString &when, const QString &field, const QString &message)
{
    return [=](DetailLogic &popup) {
        return popup.text(when) == u"on" && popup.text(field).trimmed().isEmpty() ? message : QString();
    };
}

} // namespace kv::listdetail

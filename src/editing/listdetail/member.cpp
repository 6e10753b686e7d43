#include "editing/listdetail/member.h"

#include "core/db/recordset.h"
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

Check known(const QString &field, const QString &table, const QString &message)
{
    return [=](DetailLogic &popup) {
        const QString text = popup.text(field).trimmed();
        if (text.isEmpty())
            return QString();
        db::Recordset &rs = popup.tables().table(table);
        rs.setIndex(QStringLiteral("PrimaryKey"));
        rs.Seek(u"=", text);
        return rs.NoMatch() ? message : QString();
    };
}

Check requiredWhen(const QString &when, const QString &field, const QString &message)
{
    return [=](DetailLogic &popup) {
        return popup.text(when) == u"on" && popup.text(field).trimmed().isEmpty() ? message : QString();
    };
}

} // namespace kv::listdetail

#include "editing/listdetail/member.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "editing/ibanregistry.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/values.h"

namespace kv::listdetail {

const Field *Member::field(const QString &name) const
{
    for (const Field &f : fields) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

Field bankAccount(const QString &name, const QString &caption)
{
    Field field{name, caption};
    field.advice = IBANAdvies;
    return field;
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

Check datesInOrder(const QString &from, const QString &to)
{
    return [=](DetailLogic &popup) {
        const auto first = storedValue(popup.context(), Kind::Date, popup.text(from));
        const auto last = storedValue(popup.context(), Kind::Date, popup.text(to));
        const bool reversed = first && last && !first->toString().isEmpty() && !last->toString().isEmpty()
                           && last->toString() < first->toString();
        return reversed ? QStringLiteral("De einddatum mag niet voor de begindatum liggen.") : QString();
    };
}

Check numeric(const QString &field, const QString &message)
{
    return [=](DetailLogic &popup) {
        const QString text = popup.text(field).trimmed();
        const auto &separators = popup.context().separators;
        const bool none = !text.isEmpty() && !listdetail::number(text, separators.GetalDecimaalTeken, separators.GetalDuizendTeken);
        return none ? message : QString();
    };
}

Check requiredWhen(const QString &when, const QString &field, const QString &message)
{
    return [=](DetailLogic &popup) {
        return popup.text(when) == u"on" && popup.text(field).trimmed().isEmpty() ? message : QString();
    };
}

QString trailName(const Member &member, const QString &key, const QString &field)
{
    return member.table + u'[' + key + u"]." + field;
}

} // namespace kv::listdetail

#include "migration/conversion.h"

#include "core/db/dberror.h"
#include "core/db/fieldvalue.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace kv::migration {
namespace {

using schema::Type;

// "0,10", "12,3456", "-7,00": at least two decimals, no digits the amount does not have.
QString exactAmount(qint64 units)
{
    const bool negative = units < 0;
    const quint64 magnitude = negative ? quint64(-(units + 1)) + 1 : quint64(units);
    QString decimals = QString::number(magnitude % 10000).rightJustified(4, u'0');
    while (decimals.size() > 2 && decimals.endsWith(u'0'))
        decimals.chop(1);
    return (negative ? u"-"_s : QString()) + QString::number(magnitude / 10000) + u',' + decimals;
}

// Jet's own range: years 100 to 9999.
bool inJetRange(const QDateTime &when)
{
    return when.isValid() && when.date().year() >= 100 && when.date().year() <= 9999;
}

QVariant dateFor(const db::ColumnInfo &to, const QDateTime &when)
{
    if (to.type != Type::Text)
        return when;
    if (to.size == 8)
        return when.toString(u"yyyyMMdd"_s);
    if (to.size == 14)
        return when.toString(u"yyyyMMddHHmmss"_s);
    return when.toString(u"dd-MM-yyyy HH:mm:ss"_s);
}

} // namespace

Converted convertValue(const SourceColumn &from, const db::ColumnInfo &to, const QVariant &value)
{
    if (value.isNull())
        return {};
    QVariant candidate = value;
    if (from.type == Type::Currency)
        candidate = to.type == Type::Text || to.type == Type::Memo ? QVariant(exactAmount(value.toLongLong()))
                                                                   : QVariant(double(value.toLongLong()) / 10000.0);
    else if (from.type == Type::DateTime) {
        if (!inJetRange(value.toDateTime()))
            return {{}, u"datum buiten het bereik (jaar 100 t/m 9999)"_s};
        candidate = dateFor(to, value.toDateTime());
    } else if (from.type == Type::Binary && to.type != Type::Binary)
        return {{}, u"binaire gegevens passen niet in een veld van dit soort"_s};
    try {
        db::toStorage(to, candidate);
    } catch (const db::DbError &e) {
        return {{}, e.description()};
    }
    return {candidate, {}};
}

QString shownValue(const SourceColumn &column, const QVariant &value)
{
    if (value.isNull())
        return u"Null"_s;
    switch (column.type) {
    case Type::Currency: return exactAmount(value.toLongLong());
    case Type::DateTime: return value.toDateTime().toString(u"dd-MM-yyyy HH:mm:ss"_s);
    case Type::Binary: return u"(%1 bytes)"_s.arg(value.toByteArray().size());
    case Type::YesNo: return value.toBool() ? u"-1"_s : u"0"_s;
    default: return value.toString();
    }
}

} // namespace kv::migration

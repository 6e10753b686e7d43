#include "core/db/fieldvalue.h"

#include "core/db/dberror.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace kv::db {
namespace {

using schema::Type;

[[noreturn]] void conversionError(const ColumnInfo &column, const QVariant &value)
{
    raise(ErrDataTypeConversion, QStringLiteral("Fout bij conversie van gegevenstype: '%1' past niet in veld %2.")
                                     .arg(value.toString(), column.name));
}

// A number from a value as Jet reads it in a Dutch locale: numbers as they are, texts as the
// suite writes them (1.234,50), and else with a decimal point.
double toNumber(const ColumnInfo &column, const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1 : 0;
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QByteArray) {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            conversionError(column, value);
        return d;
    }
    const QString text = value.toString().trimmed();
    bool ok = false;
    double d = QLocale(QLocale::Dutch).toDouble(text, &ok);
    if (!ok)
        d = text.toDouble(&ok);
    if (!ok)
        conversionError(column, value);
    return d;
}

struct Range {
    Type type;
    double low, high;
};
const Range ranges[] = {
    {Type::Byte, 0, 255},
    {Type::Integer, -32768, 32767},
    {Type::Long, -2147483648.0, 2147483647.0},
    {Type::Counter, -2147483648.0, 2147483647.0},
};

} // namespace

QVariant toStorage(const ColumnInfo &column, const QVariant &value)
{
    if (value.isNull())
        return QVariant();
    switch (column.type) {
    case Type::Text:
    case Type::Memo: {
        const QString text = value.typeId() == QMetaType::Bool ? (value.toBool() ? QStringLiteral("Waar")
                                                                                 : QStringLiteral("Onwaar"))
                                                               : value.toString();
        if (column.type == Type::Text && column.size > 0 && text.size() > column.size)
            raise(ErrFieldTooSmall, QStringLiteral("Het veld %1 is te klein voor de gegevens die u wilt toevoegen "
                                                   "(%2 tekens, maximaal %3).")
                                        .arg(column.name)
                                        .arg(text.size())
                                        .arg(column.size));
        return text;
    }
    case Type::YesNo:
        if (value.typeId() == QMetaType::QString) {
            const QString t = value.toString().trimmed();
            if (t.compare(u"true", Qt::CaseInsensitive) == 0 || t.compare(u"waar", Qt::CaseInsensitive) == 0)
                return -1;
            if (t.compare(u"false", Qt::CaseInsensitive) == 0 || t.compare(u"onwaar", Qt::CaseInsensitive) == 0)
                return 0;
        }
        return toNumber(column, value) != 0 ? -1 : 0;
    case Type::Single:
    case Type::Double:
        return toNumber(column, value);
    case Type::Currency:
        return std::nearbyint(toNumber(column, value) * 10000.0) / 10000.0;
    case Type::DateTime: {
        QDateTime dt = value.toDateTime();
        if (!dt.isValid() && value.typeId() == QMetaType::QString)
            dt = QDateTime::fromString(value.toString().trimmed(), Qt::ISODate);
        if (!dt.isValid())
            conversionError(column, value);
        return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case Type::Binary:
        return value.toByteArray();
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Counter:
        break;
    }
    // Whole numbers round half to even, as the suite's programs do.
    const double number = std::nearbyint(toNumber(column, value));
    for (const Range &r : ranges)
        if (r.type == column.type && (number < r.low || number > r.high))
            raise(ErrNumericOverflow, QStringLiteral("Numerieke overloop in veld %1.").arg(column.name));
    return qint64(number);
}

QVariant fromStorage(Type type, const QVariant &stored)
{
    if (stored.isNull())
        return QVariant();
    switch (type) {
    case Type::Text:
    case Type::Memo: return stored.toString();
    case Type::YesNo: return QVariant(stored.toLongLong() != 0);
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Counter: return QVariant(int(stored.toLongLong()));
    case Type::Single:
    case Type::Double:
    case Type::Currency: return QVariant(stored.toDouble());
    case Type::DateTime: return QDateTime::fromString(stored.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Type::Binary: return stored.toByteArray();
    }
    return stored;
}

} // namespace kv::db

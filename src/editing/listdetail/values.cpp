#include "editing/listdetail/values.h"

#include "core/context.h"
#include "editing/amounts.h"
#include "editing/datecheck.h"
#include "editing/dates.h"
#include "editing/decimaltext.h"

namespace kv::listdetail {

std::optional<double> number(QStringView text, QChar decimal, QChar group)
{
    const auto n = decimal::parse(text.trimmed(), decimal, group);
    if (!n)
        return std::nullopt;
    return decimal::render(*n, u'.').toDouble();
}

namespace {

// A typed date in its stored form: ddmmyyyy and its shorter forms, or a date as shown.
std::optional<QString> storedDate(Context &ctx, const QString &text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const QString digits = DatumInvoerLezen(text.trimmed());
    return DatumControleren(ctx, digits.isEmpty() ? text.trimmed() : digits);
}

// "hh:mm", "hhmm" or "hh" as "hhmmss"; nothing for a time that is none.
std::optional<QString> storedTime(QString text)
{
    text.remove(u':');
    bool ok = false;
    const int digits = text.toInt(&ok);
    if (!ok || text.size() > 4 || text.isEmpty())
        return std::nullopt;
    const int hours = text.size() <= 2 ? digits : digits / 100, minutes = text.size() <= 2 ? 0 : digits % 100;
    if (hours > 23 || minutes > 59)
        return std::nullopt;
    return QStringLiteral("%1%2").arg(hours, 2, 10, QChar(u'0')).arg(minutes, 2, 10, QChar(u'0')) + u"00";
}

// A date and an optional time after it, "yyyymmddhhmmss".
std::optional<QString> storedDateTime(Context &ctx, const QString &text)
{
    QString date = text.trimmed(), time;
    const qsizetype space = date.lastIndexOf(u' ');
    if (space > 0 && date.mid(space + 1).contains(u':')) {
        time = date.mid(space + 1);
        date = date.left(space);
    }
    const auto storedDay = storedDate(ctx, date);
    const auto storedHour = time.isEmpty() ? std::optional<QString>(QStringLiteral("000000")) : storedTime(time);
    if (!storedDay || !storedHour || (storedDay->isEmpty() && !time.isEmpty()))
        return std::nullopt;
    return storedDay->isEmpty() ? QString() : *storedDay + *storedHour;
}

QString dateTimeText(const QString &stored)
{
    if (stored.trimmed().isEmpty())
        return {};
    const QString day = DatumWeergave(stored.left(8)), time = stored.mid(8, 4);
    return time.size() == 4 ? day + u' ' + time.left(2) + u':' + time.right(2) : day;
}

} // namespace

QString fieldText(Context &ctx, Kind kind, const QVariant &stored)
{
    if (stored.isNull())
        return kind == Kind::YesNo ? QStringLiteral("off") : QString();
    switch (kind) {
    case Kind::Decimal:
        return decimal::valueText(stored, ctx.separators.GetalDecimaalTeken);
    case Kind::Amount:
    case Kind::AmountText:
        return stored.toString().trimmed().isEmpty() ? QString() : FormatBedrag(ctx.separators, stored);
    case Kind::Date:
        return DatumWeergave(stored.toString());
    case Kind::DateTime:
        return dateTimeText(stored.toString());
    case Kind::YesNo:
        return stored.toBool() ? QStringLiteral("on") : QStringLiteral("off");
    default:
        return stored.toString();
    }
}

std::optional<QVariant> storedValue(Context &ctx, Kind kind, const QString &text)
{
    const QString trimmed = text.trimmed();
    switch (kind) {
    case Kind::Code:
        return trimmed.toUpper();
    case Kind::Number: {
        bool ok = false;
        const qlonglong n = trimmed.toLongLong(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    case Kind::Decimal:
        if (auto n = number(trimmed, ctx.separators.GetalDecimaalTeken, ctx.separators.GetalDuizendTeken))
            return *n;
        return QVariant();
    case Kind::Amount:
        if (auto n = number(trimmed, ctx.separators.DecimaalTeken, ctx.separators.DuizendTeken))
            return *n;
        return QVariant();
    case Kind::AmountText:
        return trimmed.isEmpty() ? QString() : FormatBedrag(ctx.separators, trimmed);
    case Kind::Date:
        if (auto date = storedDate(ctx, text))
            return *date;
        return std::nullopt;
    case Kind::DateTime:
        if (auto stamp = storedDateTime(ctx, text))
            return *stamp;
        return std::nullopt;
    case Kind::YesNo:
        return text == u"on";
    case Kind::LedgerAccount:
        return trimmed;
    case Kind::Text:
        break;
    }
    return text;
}

std::optional<QString> leftText(Context &ctx, Kind kind, const QString &text)
{
    switch (kind) {
    case Kind::Amount:
    case Kind::AmountText:
        return text.trimmed().isEmpty() ? QString() : FormatBedrag(ctx.separators, text.trimmed());
    case Kind::Date:
        if (auto date = storedDate(ctx, text))
            return DatumWeergave(*date);
        return std::nullopt;
    case Kind::DateTime:
        if (auto stamp = storedDateTime(ctx, text))
            return dateTimeText(*stamp);
        return std::nullopt;
    default:
        return text;
    }
}

Cell listCell(Context &ctx, const Column &column, const QVariant &stored)
{
    Cell cell{fieldText(ctx, column.kind, stored), stored};
    switch (column.kind) {
    case Kind::YesNo:
        cell.text = column.yesNo.size() == 2 ? column.yesNo[stored.toBool() ? 1 : 0]
                  : stored.toBool()          ? QStringLiteral("Ja")
                                             : QStringLiteral("Nee");
        break;
    case Kind::Number:
    case Kind::Decimal:
    case Kind::Amount:
        cell.sortKey = stored.isNull() ? QVariant() : QVariant(stored.toDouble());
        break;
    case Kind::AmountText:
        cell.sortKey = number(stored.toString(), ctx.separators.DecimaalTeken, ctx.separators.DuizendTeken).value_or(0.0);
        break;
    case Kind::Date:
    case Kind::DateTime:
        cell.sortKey = stored.toString();
        break;
    default:
        cell.sortKey = cell.text;
        break;
    }
    if (column.digits > 0 && !cell.text.isEmpty())
        cell.text = cell.text.rightJustified(column.digits, u'0');
    if (!cell.text.trimmed().isEmpty())
        cell.text += column.suffix;
    return cell;
}

} // namespace kv::listdetail

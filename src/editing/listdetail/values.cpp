#include "editing/listdetail/values.h"

#include "core/context.h"
#include "editing/amounts.h"
#include "editing/datecheck.h"
#include "editing/dates.h"
#include "editing/decimaltext.h"

namespace kv::listdetail {

namespace {

std::optional<double> number(QStringView text, QChar decimal, QChar group)
{
    const auto n = decimal::parse(text.trimmed(), decimal, group);
    if (!n)
        return std::nullopt;
    return decimal::render(*n, u'.').toDouble();
}

// A typed date in its stored form: ddmmyyyy and its shorter forms, or a date as shown.
std::optional<QString> storedDate(Context &ctx, const QString &text)
{
    if (text.trimmed().isEmpty())
        return QString();
    const QString digits = DatumInvoerLezen(text.trimmed());
    return DatumControleren(ctx, digits.isEmpty() ? text.trimmed() : digits);
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
    case Kind::YesNo:
        return text == u"on";
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
    default:
        return text;
    }
}

Cell listCell(Context &ctx, const Column &column, const QVariant &stored)
{
    Cell cell{fieldText(ctx, column.kind, stored), stored};
    switch (column.kind) {
    case Kind::YesNo:
        cell.text = stored.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nee");
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
        cell.sortKey = stored.toString();
        break;
    default:
        cell.sortKey = cell.text;
        break;
    }
    if (!cell.text.trimmed().isEmpty())
        cell.text += column.suffix;
    return cell;
}

} // namespace kv::listdetail

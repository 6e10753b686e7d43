#include "export/cell.h"

#include "core/context.h"
#include "editing/datecheck.h"
#include "editing/dates.h"
#include "editing/numbers.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace kv::exporting {
namespace {

SheetCell asText(const QString &text)
{
    if (text.isEmpty())
        return {SheetCell::Kind::Blank, {}, 0, {}, u"@"_s};
    return {SheetCell::Kind::Text, text.left(MaxCellText), 0, {}, u"@"_s};
}

// "05-01-2020", "(5-1-20)": digits once the dashes and brackets are gone, read as a typed date.
// Digits alone stay numbers (an order number such as 100126 is no date), and a spreadsheet
// counts no dates before 1900.
std::optional<QDate> asDate(const Context &ctx, const QString &text)
{
    if (text.size() < 5 || text.size() > 11)
        return std::nullopt;
    QString digits = text;
    digits.remove(u'-').remove(u'(').remove(u')');
    if (digits.size() == text.size() || !IsNumeriek(digits))
        return std::nullopt;
    const std::optional<QString> stored = DatumControleren(ctx, digits);
    if (!stored)
        return std::nullopt;
    const QDate date = OpgeslagenDatum(*stored);
    if (!date.isValid() || date.year() < 1900)
        return std::nullopt;
    return date;
}

// "#,##0.00_);[Red](#,##0.00)", with as many zeros as decimals when there are three or more.
QString numberFormat(int decimals)
{
    const QString zeros(decimals >= 3 ? decimals : 2, u'0');
    return u"#,##0."_s + zeros + u"_);[Red](#,##0."_s + zeros + u')';
}

std::optional<SheetCell> asNumber(const Context &ctx, const QString &text)
{
    const QChar decimal = ctx.separators.DecimaalTeken, group = ctx.separators.DuizendTeken;
    const Separators amounts{decimal, group, decimal, group};
    if (!IsNumeriek(text, amounts))
        return std::nullopt;
    QString plain;
    int digits = 0, decimals = -1;
    for (const QChar c : text) {
        if (c == decimal) {
            if (decimals >= 0)
                return std::nullopt; // two decimal separators: a version or a code
            decimals = 0;
            plain += u'.';
        } else if (c != group) {
            plain += c;
            ++digits;
            if (decimals >= 0)
                ++decimals;
        }
    }
    // Leading zeros are part of a code ("0012"); past fifteen digits a spreadsheet rounds.
    const qsizetype point = plain.indexOf(u'.');
    const QStringView whole = QStringView(plain).left(point < 0 ? plain.size() : point);
    if (digits == 0 || (whole.size() > 1 && whole.front() == u'0'))
        return std::nullopt;
    qsizetype significant = digits;
    for (const QChar c : plain) {
        if (c != u'0' && c != u'.')
            break;
        if (c == u'0')
            --significant;
    }
    if (significant > 15)
        return std::nullopt;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return SheetCell{SheetCell::Kind::Number, {}, value, {}, numberFormat(std::max(decimals, 0))};
}

} // namespace

SheetCell classify(const Context &ctx, const QString &text)
{
    if (const std::optional<QDate> date = asDate(ctx, text))
        return {SheetCell::Kind::Date, {}, 0, *date, u"dd-mm-yyyy"_s};
    if (std::optional<SheetCell> number = asNumber(ctx, text))
        return *number;
    return asText(text);
}

} // namespace kv::exporting

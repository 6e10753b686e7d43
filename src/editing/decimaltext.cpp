#include "editing/decimaltext.h"

#include "editing/text.h"

#include <QLocale>

#include <algorithm>

namespace kv::decimal {

namespace {

bool allZero(QStringView digits)
{
    return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
}

// Adds one to a digit string; returns false when it overflowed into a new leading digit.
bool increment(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return true;
        }
        digits[i] = u'0';
    }
    return false;
}

bool roundsUp(const Number &n, QStringView kept, QStringView dropped, Rounding rounding)
{
    if (dropped.isEmpty() || dropped[0] < u'5')
        return false;
    if (rounding == Rounding::HalfUp || dropped[0] > u'5' || !allZero(dropped.mid(1)))
        return true;
    const QChar last = !kept.isEmpty() ? kept.back() : (n.whole.isEmpty() ? u'0' : n.whole.back());
    return (last.unicode() - u'0') % 2 == 1;
}

} // namespace

bool Number::isZero() const
{
    return allZero(whole) && allZero(fraction);
}

QString valueText(const QVariant &value, QChar decimalSeparator)
{
    if (!value.isValid() || value.isNull())
        return {};
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        QString text = QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
        return text.replace(u'.', decimalSeparator);
    }
    return value.toString();
}

std::optional<Number> parse(QStringView text, QChar decimalSeparator, QChar groupSeparator)
{
    Number n;
    qsizetype i = 0;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        n.negative = text[0] == u'-';
        ++i;
    }
    bool inFraction = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            (inFraction ? n.fraction : n.whole) += c;
            anyDigit = true;
        } else if (c.isNull()) {
            return std::nullopt;
        } else if (c == decimalSeparator && !inFraction) {
            inFraction = true;
        } else if (c != groupSeparator || inFraction) {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return n;
}

Number rounded(Number n, int places, Rounding rounding)
{
    if (n.fraction.size() <= places) {
        n.fraction = n.fraction.leftJustified(places, u'0');
        return n;
    }
    const QString kept = n.fraction.left(places);
    const bool up = roundsUp(n, kept, QStringView(n.fraction).mid(places), rounding);
    QString digits = (n.whole.isEmpty() ? QStringLiteral("0") : n.whole) + kept;
    if (up && !increment(digits))
        digits.prepend(u'1');
    n.whole = digits.left(digits.size() - places);
    n.fraction = digits.right(places);
    return n;
}

QString render(const Number &n, QChar decimalSeparator, QChar groupSeparator)
{
    const auto first = std::find_if(n.whole.begin(), n.whole.end(), [](QChar c) { return c != u'0'; });
    QString whole = first == n.whole.end() ? QStringLiteral("0") : n.whole.mid(first - n.whole.begin());
    if (!groupSeparator.isNull()) {
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, groupSeparator);
    }
    QString text = n.negative && !n.isZero() ? QStringLiteral("-") + whole : whole;
    if (!n.fraction.isEmpty())
        text += decimalSeparator + n.fraction;
    return text;
}

} // namespace kv::decimal

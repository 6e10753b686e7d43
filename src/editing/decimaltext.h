#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace kv::decimal {

// A decimal number kept as its digits, so that amounts of any length round exactly and
// never pass through floating point.
struct Number {
    bool negative = false;
    QString whole;    // digits; empty reads as 0
    QString fraction; // digits

    bool isZero() const;
};

enum class Rounding { HalfUp, HalfEven };

// The text of a field value: numbers are written without exponent and with `decimalSeparator`,
// texts as they are; null or invalid values give "".
QString valueText(const QVariant &value, QChar decimalSeparator);

// Reads an optional sign, digits with `groupSeparator` anywhere and at most one
// `decimalSeparator`; nothing when the text is not such a number.
std::optional<Number> parse(QStringView text, QChar decimalSeparator, QChar groupSeparator);

// Rounded (or padded) to exactly `places` fraction digits; halves of HalfUp go away from zero.
Number rounded(Number n, int places, Rounding rounding);

// Digits without leading zeros, grouped by three when `groupSeparator` is not null, the
// fraction (if any) after `decimalSeparator`; a zero never carries a sign.
QString render(const Number &n, QChar decimalSeparator, QChar groupSeparator = QChar());

} // namespace kv::decimal

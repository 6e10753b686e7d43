#pragma once

#include "editing/listdetail/member.h"

#include <QVariant>

#include <optional>

namespace kv {
class Context;
}

namespace kv::listdetail {

// A typed number with these separators; nothing when the text is no number.
std::optional<double> number(QStringView text, QChar decimal, QChar group);

// The text a popup field shows for a stored value.
QString fieldText(Context &ctx, Kind kind, const QVariant &stored);

// The value written for a field's text; nothing when the text cannot be stored (a date that
// is no date).
std::optional<QVariant> storedValue(Context &ctx, Kind kind, const QString &text);

// The text a field shows once the user leaves it; nothing when it is no valid input.
std::optional<QString> leftText(Context &ctx, Kind kind, const QString &text);

// A list cell: its text and the value it sorts by.
struct Cell {
    QString text;
    QVariant sortKey;
};
Cell listCell(Context &ctx, const Column &column, const QVariant &stored);

} // namespace kv::listdetail

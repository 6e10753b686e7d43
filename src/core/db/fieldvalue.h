#pragma once

#include "core/db/tableinfo.h"

#include <QVariant>

namespace kv::db {

// What a field write stores for a column of that type, converted as Jet converts: numbers from
// text, yes/no as -1/0, amounts to four decimals, dates as ISO text. Throws 3421 for a value
// the type cannot hold, 3163 for a text longer than the field, 3349 for a number out of range.
QVariant toStorage(const ColumnInfo &column, const QVariant &value);

// What a field read gives for a stored value: int for whole-number types, bool for yes/no,
// double, QDateTime, QString; a null QVariant for Null.
QVariant fromStorage(schema::Type type, const QVariant &stored);

} // namespace kv::db

#pragma once

#include "core/db/tableinfo.h"
#include "migration/source.h"

namespace kv::migration {

// A source value as a field of the schema takes it, or why it does not fit (and then a null
// value). Dates become what the field declares: yyyymmdd text, yyyymmddhhmmss text or a date
// and time; amounts keep their exact decimals; everything else converts as the engine
// converts a field write.
struct Converted {
    QVariant value;
    QString problem;
};
Converted convertValue(const SourceColumn &from, const db::ColumnInfo &to, const QVariant &value);

// A value as the import report shows it: amounts with a decimal comma, dates as dd-mm-yyyy.
QString shownValue(const SourceColumn &column, const QVariant &value);

} // namespace kv::migration

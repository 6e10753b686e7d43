#pragma once

#include "schema/schema.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

// What an import reads: the tables of one database file of another program, whatever that
// file is made of. The Jet reader is one source; tests use others.
namespace kv::migration {

// A column as the engine would type it: Counter for an AutoNumber, Binary for OLE objects.
// `size` is the length of a Text column.
struct SourceColumn {
    QString name;
    schema::Type type = schema::Type::Text;
    int size = 0;
};

struct SourceTable {
    QString name;
    std::vector<SourceColumn> columns;
    qint64 rows = 0; // as the file counts them, for the progress
};

// One row, by column. A value is a null QVariant for Null, else by the column's type: QString
// (Text, Memo), qint64 (Byte, Integer, Long, Counter), double (Single, Double), qint64
// ten-thousandths for Currency (an amount is never rounded through a binary fraction), QDateTime,
// bool (Yes/No), QByteArray (Binary).
using Row = std::vector<QVariant>;

// A file that cannot be read, or a row of it that is damaged.
struct SourceError {
    QString message;
};

class SourceReader {
public:
    virtual ~SourceReader() = default;
    virtual QString path() const = 0;
    virtual std::vector<SourceTable> tables() = 0;
    // Hands each row of `table` to `visit` in the order the file holds them; false stops.
    // Throws SourceError when the file fails midway.
    virtual void read(const SourceTable &table, const std::function<bool(const Row &)> &visit) = 0;
};

} // namespace kv::migration

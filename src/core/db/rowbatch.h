#pragma once

#include "schema/schema.h"

#include <QString>
#include <QVariant>

#include <string>
#include <vector>

struct sqlite3_stmt;

namespace kv::db {

// Rows copied out of a statement as they are stored: numbers inline, texts as bytes in one
// buffer. Nothing is decoded until a field is read, and a walk may leave out the columns it
// does not read at all (they are then "missing" and must be read again if wanted after all).
class RowBatch {
public:
    void clear(int columns);
    // Copies the statement's current row; only the columns marked in `wanted`, when given.
    void append(sqlite3_stmt *stmt, const std::vector<char> *wanted = nullptr);
    int rows() const { return m_columns ? int(m_cells.size() / m_columns) : 0; }
    int columns() const { return m_columns; }

    bool isNull(int row, int column) const { return cell(row, column).type == Null; }
    bool isMissing(int row, int column) const { return cell(row, column).type == Missing; }
    qint64 integer(int row, int column) const;
    QVariant value(int row, int column) const; // as stored: qint64, double, QString, QByteArray or null
    // The value as a field of `type` reads it (see fromStorage), without a detour.
    QVariant typed(int row, int column, schema::Type type) const;

private:
    enum Type : int { Null, Integer, Real, Text, Blob, Missing };
    struct Cell {
        Type type;
        int length;
        union {
            qint64 i;
            double d;
            qint64 offset;
        };
    };
    const Cell &cell(int row, int column) const { return m_cells[size_t(row) * m_columns + column]; }

    int m_columns = 0;
    std::vector<Cell> m_cells;
    std::string m_bytes;
};

} // namespace kv::db

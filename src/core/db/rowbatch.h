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
    // Empties the batch for rows of `columns` columns. With `selected`, the statement selects
    // only the columns it marks, in that order, and a row keeps those of them `kept` marks (all,
    // without it); the others are missing.
    void clear(int columns, const std::vector<char> *selected = nullptr, const std::vector<char> *kept = nullptr);
    // Copies the statement's current row.
    void append(sqlite3_stmt *stmt);
    int rows() const { return m_rows; }

    bool isNull(int row, int column) const { return cell(row, column).type == Null; }
    bool isMissing(int column) const { return m_slot[size_t(column)] < 0; }
    qint64 integer(int row, int column) const;
    QVariant value(int row, int column) const; // as stored: qint64, double, QString, QByteArray or null
    // The value as a field of `type` reads it (see fromStorage), without a detour.
    QVariant typed(int row, int column, schema::Type type) const;

private:
    enum Type : int { Null, Integer, Real, Text, Blob };
    struct Cell {
        Type type;
        int length;
        union {
            qint64 i;
            double d;
            qint64 offset;
        };
    };
    const Cell &cell(int row, int column) const
    {
        return m_cells[size_t(row) * m_source.size() + size_t(m_slot[size_t(column)])];
    }

    int m_rows = 0;
    std::vector<int> m_slot;   // per column: its place among a row's cells, -1 when missing
    std::vector<int> m_source; // per cell of a row: the statement's column it comes from
    std::vector<Cell> m_cells;
    std::string m_bytes;
};

} // namespace kv::db

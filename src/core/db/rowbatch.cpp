#include "core/db/rowbatch.h"

#include "core/db/fieldvalue.h"

#include <sqlite3.h>

namespace kv::db {

void RowBatch::clear(int columns, const std::vector<char> *selected, const std::vector<char> *kept)
{
    m_slot.assign(size_t(columns), -1);
    m_source.clear();
    int source = 0;
    for (int c = 0; c < columns; ++c) {
        if (selected && !(*selected)[size_t(c)])
            continue;
        if (!kept || (*kept)[size_t(c)]) {
            m_slot[size_t(c)] = int(m_source.size());
            m_source.push_back(source);
        }
        ++source;
    }
    m_rows = 0;
    m_cells.clear();
    m_bytes.clear();
}

void RowBatch::append(sqlite3_stmt *stmt)
{
    ++m_rows;
    for (const int source : m_source) {
        Cell cell{};
        sqlite3_value *value = sqlite3_column_value(stmt, source);
        const int type = sqlite3_value_type(value);
        switch (type) {
        case SQLITE_INTEGER:
            cell.type = Integer;
            cell.i = sqlite3_value_int64(value);
            break;
        case SQLITE_FLOAT:
            cell.type = Real;
            cell.d = sqlite3_value_double(value);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const bool text = type == SQLITE_TEXT;
            const void *data = text ? static_cast<const void *>(sqlite3_value_text(value)) : sqlite3_value_blob(value);
            cell.type = text ? Text : Blob;
            cell.length = sqlite3_value_bytes(value);
            cell.offset = qint64(m_bytes.size());
            m_bytes.append(static_cast<const char *>(data), size_t(cell.length));
            break;
        }
        default:
            cell.type = Null;
        }
        m_cells.push_back(cell);
    }
}

qint64 RowBatch::integer(int row, int column) const
{
    const Cell &c = cell(row, column);
    return c.type == Integer ? c.i : (c.type == Real ? qint64(c.d) : 0);
}

QVariant RowBatch::typed(int row, int column, schema::Type type) const
{
    using schema::Type;
    const Cell &c = cell(row, column);
    switch (c.type) {
    case Integer:
        switch (type) {
        case Type::Byte:
        case Type::Integer:
        case Type::Long:
        case Type::Counter: return QVariant(int(c.i));
        case Type::YesNo: return QVariant(c.i != 0);
        case Type::Single:
        case Type::Double:
        case Type::Currency: return QVariant(double(c.i));
        default: break;
        }
        break;
    case Real:
        if (type == Type::Single || type == Type::Double || type == Type::Currency)
            return QVariant(c.d);
        break;
    case Text:
        if (type == Type::Text || type == Type::Memo)
            return QString::fromUtf8(m_bytes.data() + c.offset, c.length);
        break;
    case Null: return QVariant();
    default: break;
    }
    return fromStorage(type, value(row, column));
}

QVariant RowBatch::value(int row, int column) const
{
    const Cell &c = cell(row, column);
    switch (c.type) {
    case Integer: return QVariant(c.i);
    case Real: return QVariant(c.d);
    case Text: return QString::fromUtf8(m_bytes.data() + c.offset, c.length);
    case Blob: return QByteArray(m_bytes.data() + c.offset, c.length);
    default: return QVariant();
    }
}

} // namespace kv::db

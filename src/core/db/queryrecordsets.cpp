#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/jetsql.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"

#include <QStringList>

#include <sqlite3.h>

namespace kv::db {
namespace {

constexpr int batchSize = 64;


} // namespace

// --- walking by position -------------------------------------------------------------------

void PositionalRecordset::moveTo(int position, int direction)
{
    leaveRecord();
    m_noMatch = false;
    while (position >= 0 && position < size() && skipped(position))
        position += direction;
    m_pos = position;
    setAtEnds(position < 0 || size() == 0, position >= size() || size() == 0);
}

void PositionalRecordset::MoveNext()
{
    if (Eof())
        noCurrentRecord();
    moveTo(m_pos + 1, +1);
}

void PositionalRecordset::MovePrevious()
{
    if (Bof())
        noCurrentRecord();
    moveTo(m_pos - 1, -1);
}

double PositionalRecordset::PercentPosition()
{
    return size() > 0 && m_pos >= 0 && m_pos < size() ? 100.0 * m_pos / size() : 0;
}

// --- keyset ----------------------------------------------------------------------------------

KeysetRecordset::KeysetRecordset(Database &db, const TableInfo &table, const TranslatedSql &sql)
    : PositionalRecordset(db, &table)
{
    Statement s = db.prepareOnce(sql.keysetSql);
    while (s.step())
        m_rowids.push_back(sqlite3_column_int64(s.get(), 0));
    m_deletedRows.assign(m_rowids.size(), false);
    MoveFirst();
}

// Reads the rows of the batch that holds `position` (and those after it) by their ids.
void KeysetRecordset::load(int position) const
{
    QStringList places;
    for (int i = 1; i <= batchSize; ++i)
        places << QStringLiteral("?%1").arg(i);
    Statement s = m_db.prepare(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                   .arg(quotedName(m_table->name), places.join(u',')));
    QHash<qint64, int> slotOf;
    for (int i = 0; i < batchSize; ++i) {
        const bool inRange = position + i < size();
        s.bind(i + 1, inRange ? QVariant(m_rowids[size_t(position + i)]) : QVariant());
        if (inRange)
            slotOf.insert(m_rowids[size_t(position + i)], i);
    }
    m_batch.clear(int(m_table->columns.size()) + 1);
    m_slots.assign(batchSize, -1);
    while (s.step()) {
        m_slots[size_t(slotOf.value(sqlite3_column_int64(s.get(), 0)))] = m_batch.rows();
        m_batch.append(s.get());
    }
    m_batchStart = position;
    m_generation = m_db.generation();
}

Recordset::RowRef KeysetRecordset::current() const
{
    if (m_pos < 0 || m_pos >= size())
        return {};
    if (m_generation != m_db.generation() || m_batchStart < 0 || m_pos < m_batchStart
        || m_pos >= m_batchStart + batchSize)
        load(m_pos);
    const int slot = m_slots[size_t(m_pos - m_batchStart)];
    // A row no longer in the table counts as deleted, as one deleted through this record set.
    return {slot < 0 ? nullptr : &m_batch, std::max(slot, 0), slot < 0 || m_deletedRows[size_t(m_pos)]};
}

void KeysetRecordset::positionOn(qint64 rowid)
{
    // Mostly the record just updated, which is the current one. A row id can occur twice (a
    // deleted last record's id given to a new one): only a position still present counts.
    const auto present = [&](int position) { return m_rowids[size_t(position)] == rowid && !m_deletedRows[size_t(position)]; };
    if (m_pos < 0 || m_pos >= size() || !present(m_pos)) {
        int position = 0;
        while (position < size() && !present(position))
            ++position;
        if (position == size())
            raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
        m_pos = position;
    }
    setAtEnds(false, false);
}

void KeysetRecordset::currentWasDeleted(quint64)
{
    m_deletedRows[size_t(m_pos)] = true;
    ++m_deletedCount;
}

void KeysetRecordset::recordAdded(qint64 rowid)
{
    m_rowids.push_back(rowid);
    m_deletedRows.push_back(false);
}

// --- snapshot --------------------------------------------------------------------------------

SnapshotRecordset::SnapshotRecordset(Database &db, const QString &sql) : PositionalRecordset(db, nullptr)
{
    Statement s = db.prepareOnce(sql);
    sqlite3_stmt *stmt = s.get();
    const int columns = sqlite3_column_count(stmt);
    std::vector<QString> names;
    std::vector<std::optional<schema::Type>> types;
    QStringList plain;
    for (int c = 0; c < columns; ++c)
        plain << QString::fromUtf8(sqlite3_column_name(stmt, c));
    QStringList qualified;
    for (int c = 0; c < columns; ++c) {
        // A name that occurs twice (a join) is known by table and field, as Jet names it.
        const char *table = sqlite3_column_table_name(stmt, c);
        qualified << (table ? QString::fromUtf8(table) + u'.' + plain[c] : QString());
        names.push_back(plain.count(plain[c]) > 1 && table ? qualified[c] : plain[c]);
        const char *declared = sqlite3_column_decltype(stmt, c);
        types.push_back(declared ? std::optional(columnFromDeclaration(plain[c], QString::fromUtf8(declared)).type)
                                 : std::nullopt);
    }
    setFields(std::move(names), std::move(types), 0);
    for (int c = 0; c < columns; ++c)
        if (!qualified[c].isEmpty())
            addFieldAlias(qualified[c], c);
    m_rows.clear(columns);
    while (s.step())
        m_rows.append(stmt);
    MoveFirst();
}

Recordset::RowRef SnapshotRecordset::current() const
{
    if (m_pos < 0 || m_pos >= size())
        return {};
    return {&m_rows, m_pos};
}

void SnapshotRecordset::positionOn(qint64)
{
    raise(ErrReadOnly, QStringLiteral("Deze recordset heeft geen bladwijzers."));
}

} // namespace kv::db

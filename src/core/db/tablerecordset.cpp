#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/fieldvalue.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"

#include <QStringList>

#include <algorithm>

namespace kv::db {
namespace {

constexpr int maxFetch = 2048;
// Batches up to this size copy every column, but for the one row of a Seek on a record set that
// has read fields before; larger ones, in a walk, only what was read so far.
constexpr int learnFetch = 64;

} // namespace

TableRecordset::TableRecordset(Database &db, const TableInfo &table) : Recordset(db, &table)
{
    first(1); // most record sets are opened to Seek; a walk fetches more as it goes
}

void TableRecordset::setIndex(const QString &name)
{
    const IndexInfo *index = m_table->index(name);
    if (!index)
        raise(ErrNotAnIndex, QStringLiteral("'%1' is geen index in de tabel %2.").arg(name, m_table->name));
    m_index = index->name;
    m_keyColumns = index->columns;
    m_queries.clear(); // they walk in the order of the index
    MoveFirst();
}

Recordset::RowRef TableRecordset::current() const
{
    if (m_pos < 0 || m_pos >= m_batch.rows() || Eof() || Bof())
        return {};
    return {&m_batch, m_pos, m_deleted};
}

// The index fields and row id of a row, in walking order.
QVariantList TableRecordset::keyOf(const RowBatch &batch, int row) const
{
    QVariantList key;
    for (int column : m_keyColumns)
        key << batch.value(row, column + 1);
    key << batch.value(row, 0);
    return key;
}

// Where a walk in `forward` direction goes on from: the key of the current record, or {} for
// the start of the index. The batch's keys are right while this program has not written since
// it was read; after that the record may have moved, and the walk goes on from where it is now.
// A long walk's batch holds the keys of its last row only: another row's are read again. When
// a record has gone meanwhile, the walk goes on from its place as read, or else from the
// nearest record behind it that is still there, or from where the batch began.
QVariantList TableRecordset::placeBehind(bool forward) const
{
    const bool asRead = m_generation == m_db.generation();
    const bool keysHeld = std::none_of(m_keyColumns.begin(), m_keyColumns.end(),
                                       [&](int column) { return m_batch.isMissing(column + 1); });
    const int last = m_batch.rows() - 1;
    const bool edgeHeld = m_edge.rows() == 1 && m_edge.integer(0, 0) == m_batch.integer(last, 0);
    const int behind = forward == m_forward ? -1 : 1;
    RowBatch row;
    for (int i = m_pos; i >= 0 && i <= last; i += behind) {
        const RowBatch *keys = keysHeld ? &m_batch : (i == last && edgeHeld ? &m_edge : nullptr);
        const int keyRow = keys == &m_batch ? i : 0;
        if (keys && asRead)
            return keyOf(*keys, keyRow);
        const bool gone = (i == m_pos && m_deleted) || !readRow(row, m_batch.integer(i, 0));
        if (!gone)
            return keyOf(row, 0);
        if (keys)
            return keyOf(*keys, keyRow);
    }
    // Turning back from a batch that ended (one that did not has its last row's keys): nothing
    // lay beyond it, so the walk back starts at the end of the index.
    return forward == m_forward ? m_from : QVariantList();
}

// The records whose keys compare to `key` (its first key.size() parts) as `comparison` says,
// as disjoint ranges of the index (k1 = ? AND k2 > ?, then k1 > ?, ...), in the order a walk in
// that direction meets them. A single row-value range would be simpler, but SQLite cannot seek
// with it past a run of equal leading keys: it scans them all again on every batch. Null sorts
// first but compares as unknown: a Null key part has IS NULL / IS NOT NULL ranges.
std::vector<TableRecordset::Range> TableRecordset::ranges(QStringView comparison, const QVariantList &key) const
{
    const int fields = int(key.size());
    std::vector<Range> out;
    if (comparison == u"=" || comparison.endsWith(u'='))
        out.push_back({fields, Op::None});
    if (comparison == u"=")
        return out;
    const bool greater = comparison.startsWith(u'>');
    for (int i = fields - 1; i >= 0; --i) {
        if (greater) {
            out.push_back({i, key[i].isNull() ? Op::NotNull : Op::Greater});
        } else if (!key[i].isNull()) {
            out.push_back({i, Op::Less});
            out.push_back({i, Op::IsNull});
        }
    }
    return out;
}

// The range as an SQL condition on the key's values bound as ?1, ?2, ... ("" for the whole index).
QString TableRecordset::condition(const Range &range, const QVariantList &key) const
{
    auto name = [&](int i) {
        return i < int(m_keyColumns.size()) ? quotedName(m_table->columns[size_t(m_keyColumns[size_t(i)])].name)
                                            : QStringLiteral("rowid");
    };
    QStringList terms;
    for (int i = 0; i < range.equal; ++i)
        terms << name(i) + (key[i].isNull() ? QStringLiteral(" IS NULL") : QStringLiteral("=?%1").arg(i + 1));
    const int next = range.equal;
    switch (range.op) {
    case Op::None: break;
    case Op::Greater: terms << name(next) + QStringLiteral(">?%1").arg(next + 1); break;
    case Op::Less: terms << name(next) + QStringLiteral("<?%1").arg(next + 1); break;
    case Op::IsNull: terms << name(next) + QStringLiteral(" IS NULL"); break;
    case Op::NotNull: terms << name(next) + QStringLiteral(" IS NOT NULL"); break;
    }
    return terms.join(QStringLiteral(" AND "));
}

// The columns a long walk selects: the row id and the fields read so far, which every row
// keeps, and the keys, which only the last row keeps.
void TableRecordset::selectRead()
{
    std::vector<char> wanted(m_table->columns.size() + 1, 1);
    for (size_t i = 0; i < m_table->columns.size(); ++i)
        wanted[i + 1] = fieldsRead()[i];
    m_kept = wanted;
    for (int column : m_keyColumns)
        wanted[size_t(column) + 1] = 1;
    if (wanted != m_selected) {
        QStringList names{QStringLiteral("rowid")};
        for (size_t i = 0; i < m_table->columns.size(); ++i)
            if (wanted[i + 1])
                names << quotedName(m_table->columns[i].name);
        m_selected = std::move(wanted);
        m_selectedList = names.join(u',');
        m_queries.clear();
    }
}

// The query of one range, made once per shape: its text depends on the direction, the columns,
// the range, the key's length (the limit is the parameter after it) and which key parts are Null.
const QString &TableRecordset::query(bool forward, bool narrow, const Range &range, const QVariantList &key)
{
    quint64 shape = quint64(forward) | quint64(narrow) << 1 | quint64(range.op) << 2 | quint64(range.equal) << 5
                    | quint64(key.size()) << 10;
    for (int i = 0; i < range.equal; ++i)
        shape |= quint64(key[i].isNull()) << (15 + i);
    QString &sql = m_queries[shape];
    if (sql.isEmpty()) {
        QStringList order;
        for (int column : m_keyColumns)
            order << quotedName(m_table->columns[size_t(column)].name) + (forward ? QString() : QStringLiteral(" DESC"));
        order << QStringLiteral("rowid") + (forward ? QString() : QStringLiteral(" DESC"));
        const QString where = condition(range, key);
        sql = QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT ?%5")
                  .arg(narrow ? m_selectedList : QStringLiteral("rowid, *"), quotedName(m_table->name),
                       where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where, order.join(u','))
                  .arg(key.size() + 1);
    }
    return sql;
}

void TableRecordset::fetch(bool forward, const std::vector<Range> &ranges, const QVariantList &key, int limit)
{
    // A long walk selects only the fields read so far, and its keys: SQLite decodes every
    // column a statement selects. The others are missing in the batch, and so are the keys
    // except in the last row: copying them out of every row costs as much as a field read.
    // A record set that seeks again and again reads the same few fields each time: it selects
    // them alone as soon as it knows them, and a field read for the first time later reads
    // its one row again.
    const bool learned = std::ranges::find(fieldsRead(), 1) != fieldsRead().end();
    const bool narrow = limit > learnFetch || (limit == 1 && learned);
    const int columns = int(m_table->columns.size()) + 1;
    if (narrow)
        selectRead();
    m_batch.clear(columns, narrow ? &m_selected : nullptr, narrow ? &m_kept : nullptr);
    const bool keysLeftOut = narrow && m_kept != m_selected;
    m_edge.clear(columns, narrow ? &m_selected : nullptr);
    m_from = key;
    // The ranges come in walking order, so reading them one after the other, each a plain range
    // of the index, gives the rows in order without a merge.
    for (const Range &range : ranges) {
        Statement s = m_db.prepare(query(forward, narrow, range, key));
        s.bindAll(key);
        s.bind(int(key.size()) + 1, limit - m_batch.rows());
        while (s.step()) {
            m_batch.append(s.get());
            if (keysLeftOut && m_batch.rows() == limit)
                m_edge.append(s.get());
        }
        if (m_batch.rows() == limit)
            break;
    }
    batchRead(forward, m_batch.rows() < limit);
}

// After a new batch: `end` when nothing lies beyond it in its direction.
void TableRecordset::batchRead(bool forward, bool end)
{
    m_complete.clear(0);
    m_batchEnd = end;
    m_forward = forward;
    m_generation = m_db.generation();
    m_pos = 0;
    m_deleted = false;
}

// The row `rowid` in full, as the only row of `into`; false when there is none.
bool TableRecordset::readRow(RowBatch &into, qint64 rowid) const
{
    Statement s = m_db.prepare(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?1").arg(quotedName(m_table->name)));
    s.bind(1, rowid);
    into.clear(int(m_table->columns.size()) + 1);
    if (!s.step())
        return false;
    into.append(s.get());
    return true;
}

void TableRecordset::land(bool found)
{
    setAtEnds(!found && !m_forward, !found && m_forward);
    if (!found)
        m_pos = -1;
}

void TableRecordset::MoveFirst()
{
    first(64);
}

void TableRecordset::first(int fetchSize)
{
    leaveRecord();
    m_noMatch = false;
    m_fetchSize = fetchSize;
    fetch(true, {{0, Op::None}}, {}, m_fetchSize);
    m_ordinal = 0;
    setAtEnds(m_batch.rows() == 0, m_batch.rows() == 0);
}

void TableRecordset::MoveLast()
{
    leaveRecord();
    m_noMatch = false;
    m_fetchSize = 64;
    fetch(false, {{0, Op::None}}, {}, m_fetchSize);
    m_ordinal = -1;
    setAtEnds(m_batch.rows() == 0, m_batch.rows() == 0);
}

// One record on in `forward` direction: from the batch while it is fresh and runs that way,
// otherwise from the database, starting after the current key.
void TableRecordset::step(bool forward)
{
    const bool fresh = m_generation == m_db.generation() && m_forward == forward;
    if (fresh && m_pos + 1 < m_batch.rows()) {
        ++m_pos;
        m_deleted = false;
    } else if (fresh && m_batchEnd) {
        m_pos = -1;
        land(false);
        return;
    } else {
        const QVariantList key = placeBehind(forward);
        m_fetchSize = std::min(maxFetch, m_fetchSize * 2);
        fetch(forward, key.isEmpty() ? std::vector<Range>{{0, Op::None}} : ranges(forward ? u">" : u"<", key), key,
              m_fetchSize);
        if (m_batch.rows() == 0)
            return land(false);
    }
    if (m_ordinal >= 0)
        m_ordinal += forward ? 1 : -1;
}

void TableRecordset::MoveNext()
{
    leaveRecord();
    if (Eof() || (m_pos < 0 && !Bof()))
        noCurrentRecord();
    if (Bof())
        return MoveFirst();
    step(true);
}

void TableRecordset::MovePrevious()
{
    leaveRecord();
    if (Bof() || (m_pos < 0 && !Eof()))
        noCurrentRecord();
    if (Eof())
        return MoveLast();
    step(false);
}

void TableRecordset::Seek(QStringView comparison, const QVariantList &key)
{
    if (m_index.isEmpty())
        raise(3019, QStringLiteral("Bewerking ongeldig zonder huidige index."));
    if (key.isEmpty() || key.size() > qsizetype(m_keyColumns.size()))
        raise(3001, QStringLiteral("Ongeldig argument voor Seek."));
    leaveRecord();
    m_fetchSize = 1;
    m_ordinal = -1;
    QVariantList values;
    bool fits = true;
    for (qsizetype i = 0; i < key.size(); ++i) {
        try {
            values << toStorage(m_table->columns[size_t(m_keyColumns[size_t(i)])], key[i]);
        } catch (const DbError &) {
            fits = false; // a key the field cannot hold matches nothing
        }
    }
    const bool forward = comparison == u"=" || comparison.startsWith(u'>');
    // Nothing sorts before Null: "<" a Null key has no ranges, and matches nothing.
    const std::vector<Range> within = fits ? ranges(comparison, values) : std::vector<Range>();
    if (!within.empty())
        fetch(forward, within, values, m_fetchSize);
    else
        m_batch.clear(int(m_table->columns.size()) + 1);
    m_noMatch = m_batch.rows() == 0;
    setAtEnds(false, false);
    if (m_noMatch)
        m_pos = -1;
}

void TableRecordset::positionOn(qint64 rowid)
{
    const bool found = readRow(m_batch, rowid);
    batchRead(true, false);
    m_fetchSize = 1;
    m_ordinal = -1;
    if (!found) {
        m_pos = -1;
        raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
    }
    setAtEnds(false, false);
}

Recordset::RowRef TableRecordset::completeRow() const
{
    const qint64 rowid = m_batch.integer(m_pos, 0);
    if ((m_complete.rows() != 1 || m_complete.integer(0, 0) != rowid) && !readRow(m_complete, rowid))
        raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
    return {&m_complete, 0};
}

void TableRecordset::currentWasDeleted(quint64 before)
{
    // A batch that was fresh before the deletion still holds the other rows as they are; one
    // that was stale already (another write through this connection) stays stale.
    m_deleted = true;
    if (m_generation == before)
        m_generation = m_db.generation();
    if (m_ordinal >= 0)
        m_ordinal -= m_forward ? 1 : 0;
}

int TableRecordset::RecordCount()
{
    Statement s = m_db.prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quotedName(m_table->name)));
    s.step();
    return int(s.column(0).toLongLong());
}

double TableRecordset::PercentPosition()
{
    if (!current().batch)
        return 0;
    // Progress displays ask on every record: count once per state of the data.
    if (m_countGeneration != m_db.generation() || m_count < 0) {
        m_count = RecordCount();
        m_countGeneration = m_db.generation();
    }
    const int count = m_count;
    if (m_ordinal < 0) {
        const QVariantList key = placeBehind(true);
        QStringList counts;
        for (const Range &range : ranges(u"<", key))
            counts << QStringLiteral("(SELECT count(*) FROM %1 WHERE %2)").arg(quotedName(m_table->name), condition(range, key));
        m_ordinal = 0;
        if (!counts.isEmpty()) {
            Statement s = m_db.prepare(QStringLiteral("SELECT ") + counts.join(u'+'));
            s.bindAll(key);
            s.step();
            m_ordinal = s.column(0).toLongLong();
        }
    }
    return count > 0 ? 100.0 * double(m_ordinal) / count : 0;
}

} // namespace kv::db

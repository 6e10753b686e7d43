#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/fieldvalue.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"

#include <QStringList>

namespace kv::db {
namespace {

constexpr int maxFetch = 512;
// Batches up to this size copy every column; larger ones, in a walk, only what was read so far.
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
    MoveFirst();
}

Recordset::RowRef TableRecordset::current() const
{
    if (m_pos < 0 || m_pos >= m_batch.rows() || Eof() || Bof())
        return {};
    return {&m_batch, m_pos};
}

// The index fields and row id of the current record, in walking order.
QVariantList TableRecordset::currentKey() const
{
    QVariantList key;
    for (int column : m_keyColumns)
        key << m_batch.value(m_pos, column + 1);
    key << m_batch.value(m_pos, 0);
    return key;
}

// The records whose first `fields` keys compare to `key` as `comparison` says, as disjoint
// parts that are each one range of the index (k1 = ? AND k2 > ?, then k1 > ?, ...), in the
// order a walk in that direction meets them. A single row-value range would be simpler, but
// SQLite cannot seek with it past a run of equal leading keys: it scans them all again on
// every batch. Null sorts first but compares as unknown, so a Null key part is spelled
// IS NULL / IS NOT NULL.
QStringList TableRecordset::keyParts(QStringView comparison, const QVariantList &key, int fields,
                                     QVariantList &binds) const
{
    QStringList names, places;
    for (int i = 0; i < fields; ++i) {
        names << (i < int(m_keyColumns.size()) ? quotedName(m_table->columns[size_t(m_keyColumns[size_t(i)])].name)
                                               : QStringLiteral("rowid"));
        binds << key[i];
        places << QStringLiteral("?%1").arg(binds.size());
    }
    const bool greater = comparison.startsWith(u'>');
    const bool orEqual = comparison.endsWith(u'=');

    auto equal = [&](int i) -> QString {
        if (key[i].isNull())
            return names[i] + QStringLiteral(" IS NULL");
        return names[i] + u'=' + places[i];
    };
    auto prefix = [&](int i, const QString &last) {
        QStringList terms;
        for (int j = 0; j < i; ++j)
            terms << equal(j);
        terms << last;
        return terms.join(QStringLiteral(" AND "));
    };
    QStringList parts;
    if (comparison == u"=" || orEqual)
        parts << prefix(fields - 1, equal(fields - 1));
    if (comparison == u"=")
        return parts;
    for (int i = fields - 1; i >= 0; --i) {
        if (greater && key[i].isNull())
            parts << prefix(i, names[i] + QStringLiteral(" IS NOT NULL"));
        else if (greater)
            parts << prefix(i, names[i] + u'>' + places[i]);
        else if (!key[i].isNull())
            parts << prefix(i, names[i] + u'<' + places[i]) << prefix(i, names[i] + QStringLiteral(" IS NULL"));
    }
    return parts;
}

void TableRecordset::fetch(bool forward, const QStringList &parts, const QVariantList &binds, int limit)
{
    QStringList order;
    for (int column : m_keyColumns)
        order << quotedName(m_table->columns[size_t(column)].name) + (forward ? QString() : QStringLiteral(" DESC"));
    order << QStringLiteral("rowid") + (forward ? QString() : QStringLiteral(" DESC"));
    // A long walk selects only the fields read so far, and its keys; the others stay Null in
    // the statement (SQLite decodes every column it selects) and missing in the batch.
    std::vector<char> wanted;
    QString columns = QStringLiteral("*");
    if (limit > learnFetch) {
        wanted.assign(m_table->columns.size() + 1, 1);
        for (size_t i = 0; i < m_table->columns.size(); ++i)
            wanted[i + 1] = fieldsRead()[i];
        for (int column : m_keyColumns)
            wanted[size_t(column) + 1] = 1;
        QStringList names;
        for (size_t i = 0; i < m_table->columns.size(); ++i)
            names << (wanted[i + 1] ? quotedName(m_table->columns[i].name) : QStringLiteral("NULL"));
        columns = names.join(u',');
    }
    m_batch.clear(int(m_table->columns.size()) + 1);
    m_complete.clear(0);
    // The parts come in walking order, so reading them one after the other, each a plain range
    // of the index, gives the rows in order without a merge. The limit is the highest parameter,
    // so every key value binds whichever of them a part uses.
    const QString select = QStringLiteral("SELECT rowid, %1 FROM %2").arg(columns, quotedName(m_table->name));
    const QString tail = QStringLiteral(" ORDER BY %1 LIMIT ?%2").arg(order.join(u',')).arg(binds.size() + 1);
    for (const QString &part : parts.isEmpty() ? QStringList{QString()} : parts) {
        Statement s = m_db.prepare(select + (part.isEmpty() ? QString() : QStringLiteral(" WHERE ") + part) + tail);
        s.bindAll(binds);
        s.bind(int(binds.size()) + 1, limit - m_batch.rows());
        while (s.step())
            m_batch.append(s.get(), wanted.empty() ? nullptr : &wanted);
        if (m_batch.rows() == limit)
            break;
    }
    m_batchEnd = m_batch.rows() < limit;
    m_forward = forward;
    m_generation = m_db.generation();
    m_pos = 0;
    m_deleted = false;
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
    fetch(true, {}, {}, m_fetchSize);
    m_ordinal = 0;
    setAtEnds(m_batch.rows() == 0, m_batch.rows() == 0);
}

void TableRecordset::MoveLast()
{
    leaveRecord();
    m_noMatch = false;
    m_fetchSize = 64;
    fetch(false, {}, {}, m_fetchSize);
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
        QVariantList binds;
        const QStringList parts = keyParts(forward ? u">" : u"<", currentKey(), int(m_keyColumns.size()) + 1, binds);
        m_fetchSize = std::min(maxFetch, m_fetchSize * 2);
        fetch(forward, parts, binds, m_fetchSize);
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
    QVariantList binds;
    // Nothing sorts before Null: "<" a Null key has no parts, and matches nothing.
    const QStringList parts = fits ? keyParts(comparison, values, int(values.size()), binds) : QStringList();
    if (!parts.isEmpty())
        fetch(forward, parts, binds, m_fetchSize);
    else
        m_batch.clear(int(m_table->columns.size()) + 1);
    m_noMatch = m_batch.rows() == 0;
    setAtEnds(false, false);
    if (m_noMatch)
        m_pos = -1;
}

void TableRecordset::positionOn(qint64 rowid)
{
    fetch(true, {QStringLiteral("rowid = ?1")}, {rowid}, 1);
    m_fetchSize = 1;
    m_ordinal = -1;
    if (m_batch.rows() == 0) {
        m_pos = -1;
        raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
    }
    setAtEnds(false, false);
}

Recordset::RowRef TableRecordset::completeRow() const
{
    const qint64 rowid = m_batch.integer(m_pos, 0);
    if (m_complete.rows() != 1 || m_complete.integer(0, 0) != rowid) {
        Statement s = m_db.prepare(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?1").arg(quotedName(m_table->name)));
        s.bind(1, rowid);
        m_complete.clear(int(m_table->columns.size()) + 1);
        if (!s.step())
            raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
        m_complete.append(s.get());
    }
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
        QVariantList binds;
        QStringList counts;
        for (const QString &part : keyParts(u"<", currentKey(), int(m_keyColumns.size()) + 1, binds))
            counts << QStringLiteral("(SELECT count(*) FROM %1 WHERE %2)").arg(quotedName(m_table->name), part);
        Statement s = m_db.prepare(QStringLiteral("SELECT ") + counts.join(u'+'));
        s.bindAll(binds);
        s.step();
        m_ordinal = s.column(0).toLongLong();
    }
    return count > 0 ? 100.0 * double(m_ordinal) / count : 0;
}

} // namespace kv::db

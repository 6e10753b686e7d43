#include "core/db/recordset.h"

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/fieldvalue.h"
#include "core/db/numbermarks.h"
#include "core/db/statement.h"

#include <QStringList>

#include <cstring>

namespace kv::db {
namespace {

quint32 foldedHash(QStringView name)
{
    quint32 hash = 2166136261u;
    for (QChar c : name) {
        char16_t u = c.unicode();
        u = u < 128 ? char16_t(u >= 'A' && u <= 'Z' ? u + 32 : u) : c.toCaseFolded().unicode();
        hash = (hash ^ u) * 16777619u;
    }
    return hash;
}


} // namespace

Recordset::Recordset(Database &db, const TableInfo *table) : m_db(db), m_table(table)
{
    if (!table)
        return;
    std::vector<QString> names;
    std::vector<std::optional<schema::Type>> types;
    for (const ColumnInfo &c : table->columns) {
        names.push_back(c.name);
        types.push_back(c.type);
    }
    setFields(std::move(names), std::move(types), 1);
}

Recordset::~Recordset()
{
    releaseLock();
}

void Recordset::setFields(std::vector<QString> names, std::vector<std::optional<schema::Type>> types,
                          int firstColumn)
{
    m_names = std::move(names);
    m_types = std::move(types);
    m_firstColumn = firstColumn;
    m_fieldsRead.assign(m_names.size(), 0);
    m_byName.clear();
    for (size_t i = 0; i < m_names.size(); ++i)
        addFieldAlias(m_names[i], int(i));
}

void Recordset::addFieldAlias(const QString &alias, int field)
{
    if (lookupField(alias) >= 0)
        return; // the first of equal names wins
    const NameEntry entry{foldedHash(alias), field, alias};
    m_byName.insert(std::upper_bound(m_byName.begin(), m_byName.end(), entry,
                                     [](const NameEntry &a, const NameEntry &b) { return a.hash < b.hash; }),
                    entry);
}

void Recordset::noCurrentRecord()
{
    raise(ErrNoCurrentRecord, QStringLiteral("Er is geen huidige record."));
}

int Recordset::fieldIndex(QStringView name, const QString *shared) const
{
    for (const RecentName &recent : m_recent)
        if (recent.data == name.data() && recent.name.size() == name.size()
            && (recent.shared
                || std::memcmp(recent.name.constData(), name.data(), size_t(name.size()) * sizeof(QChar)) == 0))
            return recent.field;
    const int field = lookupField(name);
    if (field >= 0)
        m_recent[m_nextRecent++ % m_recent.size()] = {name.data(), shared ? *shared : name.toString(), field,
                                                      shared != nullptr};
    return field;
}

int Recordset::lookupField(QStringView name) const
{
    const quint32 hash = foldedHash(name);
    auto it = std::lower_bound(m_byName.begin(), m_byName.end(), hash,
                               [](const NameEntry &e, quint32 h) { return e.hash < h; });
    for (; it != m_byName.end() && it->hash == hash; ++it)
        if (it->name == name || it->name.compare(name, Qt::CaseInsensitive) == 0)
            return it->field;
    return -1;
}

int Recordset::requireField(QStringView name, const QString *shared) const
{
    const int i = fieldIndex(name, shared);
    if (i < 0)
        raise(ErrItemNotFound, QStringLiteral("Item is niet gevonden in deze verzameling: %1.").arg(name));
    return i;
}

QVariant Recordset::value(int field) const
{
    if (m_editMode != EditNone)
        return m_buffer[size_t(field)];
    RowRef row = current();
    if (!row.batch)
        noCurrentRecord();
    if (row.deleted)
        raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
    const int column = field + m_firstColumn;
    m_fieldsRead[size_t(field)] = 1;
    if (row.batch->isMissing(column))
        row = completeRow();
    const auto &type = m_types[size_t(field)];
    return type ? row.batch->typed(row.row, column, *type) : row.batch->value(row.row, column);
}

void Recordset::setValue(QStringView field, const QVariant &value)
{
    const int i = requireField(field, nullptr);
    if (m_editMode == EditNone)
        raise(ErrUpdateWithoutEdit, QStringLiteral("Bijwerken of annuleren zonder AddNew of Edit."));
    m_buffer[size_t(i)] = fromStorage(*m_types[size_t(i)], toStorage(m_table->columns[size_t(i)], value));
    m_dirty[size_t(i)] = true;
}

qint64 Recordset::currentRowid() const
{
    const RowRef row = current();
    if (!row.batch || row.deleted)
        noCurrentRecord();
    return row.batch->integer(row.row, 0);
}

qint64 Recordset::Bookmark() const
{
    if (!m_table)
        raise(ErrReadOnly, QStringLiteral("Deze recordset heeft geen bladwijzers."));
    return currentRowid();
}

void Recordset::setBookmark(qint64 bookmark)
{
    leaveRecord();
    positionOn(bookmark);
}

void Recordset::leaveRecord()
{
    if (m_editMode != EditNone)
        CancelUpdate();
}

void Recordset::AddNew()
{
    if (!m_table)
        raise(ErrReadOnly, QStringLiteral("Kan niet bijwerken. Database of object is alleen-lezen."));
    leaveRecord();
    m_editMode = EditAdd;
    m_buffer.assign(m_names.size(), QVariant());
    m_dirty.assign(m_names.size(), false);
}

void Recordset::Edit()
{
    if (!m_table)
        raise(ErrReadOnly, QStringLiteral("Kan niet bijwerken. Database of object is alleen-lezen."));
    leaveRecord();
    const qint64 rowid = currentRowid();
    if (m_lockEdits) {
        lockRecord(rowid, QStringLiteral("bijwerken"));
        m_locked = true;
    }
    m_editRowid = rowid;
    try {
        readForEdit(rowid);
    } catch (...) {
        releaseLock();
        throw;
    }
    m_editMode = EditInProgress;
}

// The edit starts from the record as it is now, not as the batch last saw it.
void Recordset::readForEdit(qint64 rowid)
{
    Statement s = m_db.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(quotedName(m_table->name)));
    s.bind(1, rowid);
    if (!s.step())
        raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
    m_original.resize(m_names.size());
    m_buffer.resize(m_names.size());
    for (size_t i = 0; i < m_names.size(); ++i) {
        m_original[i] = s.column(int(i));
        m_buffer[i] = fromStorage(*m_types[i], m_original[i]);
    }
    m_dirty.assign(m_names.size(), false);
}

// `action` completes "Kan niet ...": bijwerken, verwijderen.
void Recordset::lockRecord(qint64 rowid, const QString &action)
{
    switch (m_db.locks().tryLock(this, m_table->name, rowid)) {
    case RecordLocks::Taken:
        return;
    case RecordLocks::HeldHere:
        raise(ErrLockedHere, QStringLiteral("Kan niet %1; de record is vergrendeld door een andere sessie op "
                                            "deze computer.").arg(action));
    case RecordLocks::HeldElsewhere:
        raise(ErrLocked, QStringLiteral("Kan niet %1; de record wordt op dit moment door een andere gebruiker "
                                        "bewerkt.").arg(action));
    }
}

void Recordset::releaseLock()
{
    if (m_locked) {
        m_db.locks().unlock(this, m_table->name, m_editRowid);
        m_locked = false;
    }
}

void Recordset::CancelUpdate()
{
    releaseLock();
    m_editMode = EditNone;
    m_buffer.clear();
    m_original.clear();
    m_dirty.clear();
}

void Recordset::Update()
{
    if (m_editMode == EditNone)
        raise(ErrUpdateWithoutEdit, QStringLiteral("Bijwerken of annuleren zonder AddNew of Edit."));
    if (m_editMode == EditAdd) {
        m_lastModified = m_db.write([this] { return insertRow(); });
        CancelUpdate();
        recordAdded(m_lastModified);
    } else {
        m_db.write([this] { updateRow(); });
        m_lastModified = m_editRowid;
        CancelUpdate();
        positionOn(m_lastModified);
    }
}

qint64 Recordset::insertRow()
{
    if (const int counter = m_table->counterColumn(); counter >= 0) {
        const QString &name = m_names[size_t(counter)];
        if (!m_dirty[size_t(counter)]) {
            m_buffer[size_t(counter)] = int(nextNumber(m_db, m_table->name, name));
            m_dirty[size_t(counter)] = true;
        }
        if (!m_buffer[size_t(counter)].isNull())
            numberUsed(m_db, m_table->name, name, m_buffer[size_t(counter)].toLongLong());
    }
    QStringList columns, places;
    QVariantList values;
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_dirty[i]) {
            columns << quotedName(m_names[i]);
            places << QStringLiteral("?%1").arg(values.size() + 1);
            values << toStorage(m_table->columns[i], m_buffer[i]);
        }
    const QString sql = columns.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName(m_table->name))
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(quotedName(m_table->name), columns.join(u','), places.join(u','));
    Statement s = m_db.prepare(sql);
    s.bindAll(values);
    s.step();
    m_db.bumpGeneration();
    return sqlite3_last_insert_rowid(m_db.handle());
}

// Writes the changed fields, provided the record still holds what the edit started from:
// otherwise another program changed it in between and this edit must not overwrite that.
void Recordset::updateRow()
{
    QStringList sets, same;
    QVariantList values;
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_dirty[i]) {
            values << toStorage(m_table->columns[i], m_buffer[i]);
            sets << QStringLiteral("%1 = ?%2").arg(quotedName(m_names[i])).arg(values.size());
        }
    if (sets.isEmpty())
        return;
    for (size_t i = 0; i < m_names.size(); ++i) {
        values << m_original[i];
        same << QStringLiteral("%1 IS ?%2 COLLATE BINARY").arg(quotedName(m_names[i])).arg(values.size());
    }
    values << m_editRowid;
    Statement s = m_db.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 AND rowid = ?%4")
                                   .arg(quotedName(m_table->name), sets.join(u','), same.join(QStringLiteral(" AND ")))
                                   .arg(values.size()));
    s.bindAll(values);
    s.step();
    m_db.bumpGeneration();
    if (sqlite3_changes(m_db.handle()) == 1)
        return;
    Statement exists = m_db.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?1").arg(quotedName(m_table->name)));
    exists.bind(1, m_editRowid);
    if (!exists.step())
        raise(ErrRecordDeleted, QStringLiteral("Record is verwijderd."));
    raise(ErrChangedByOtherUser,
          QStringLiteral("Een andere gebruiker heeft deze gegevens gewijzigd nadat u met bewerken begon; "
                         "uw wijziging is niet opgeslagen."));
}

void Recordset::Delete()
{
    if (!m_table)
        raise(ErrReadOnly, QStringLiteral("Kan niet bijwerken. Database of object is alleen-lezen."));
    leaveRecord();
    const qint64 rowid = currentRowid();
    lockRecord(rowid, QStringLiteral("verwijderen"));
    const quint64 before = m_db.generation();
    try {
        m_db.write([&] {
            Statement s = m_db.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quotedName(m_table->name)));
            s.bind(1, rowid);
            s.step();
            m_db.bumpGeneration();
        });
    } catch (...) {
        m_db.locks().unlock(this, m_table->name, rowid);
        throw;
    }
    m_db.locks().unlock(this, m_table->name, rowid);
    currentWasDeleted(before);
}

void Recordset::setIndex(const QString &)
{
    raise(3251, QStringLiteral("Deze bewerking wordt niet ondersteund voor dit type object."));
}

void Recordset::Seek(QStringView, const QVariantList &)
{
    raise(3251, QStringLiteral("Deze bewerking wordt niet ondersteund voor dit type object."));
}

} // namespace kv::db

#pragma once

#include "core/db/rowbatch.h"
#include "core/db/tableinfo.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <array>
#include <optional>
#include <vector>

namespace kv::db {

class Database;
struct TranslatedSql;

// A record set as the suite's screens use it: a current record, moves, field reads and writes
// by name (without regard to case), and AddNew/Edit/Update/Delete with record locking.
//
// Table-type record sets walk a table in the order of an index and can Seek on it; record sets
// on SQL walk the query's result. Rows are fetched in small batches and no read stays open
// between calls, so a record set that sits on a record never holds back other programs.
//
// (`EOF` and `BOF` are C macros; the properties are spelled Eof and Bof here.)
class Recordset {
public:
    enum EditModes { EditNone = 0, EditInProgress = 1, EditAdd = 2 };

    virtual ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    virtual void MoveFirst() = 0;
    virtual void MoveLast() = 0;
    virtual void MoveNext() = 0;
    virtual void MovePrevious() = 0;
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    virtual int RecordCount() = 0;
    virtual double PercentPosition() = 0; // 0..100, for progress displays

    // Table-type record sets only.
    virtual void setIndex(const QString &name);
    const QString &Index() const { return m_index; }
    // Seek with "=", ">=", ">", "<=" or "<" on the leading fields of the current index.
    virtual void Seek(QStringView comparison, const QVariantList &key);
    void Seek(QStringView comparison, const QVariant &key) { Seek(comparison, QVariantList{key}); }
    bool NoMatch() const { return m_noMatch; }

    int FieldCount() const { return int(m_names.size()); }
    const QString &FieldName(int field) const { return m_names[size_t(field)]; }
    bool hasField(QStringView name) const { return fieldIndex(name, nullptr) >= 0; }
    QVariant value(QStringView field) const { return value(requireField(field, nullptr)); }
    // A name passed as a QString is remembered by its text, which the record set then shares:
    // reading it again compares no characters.
    QVariant value(const QString &field) const { return value(requireField(field, &field)); }
    QVariant value(int field) const;
    QString text(QStringView field) const { return value(field).toString(); } // Null reads as ""
    QString text(const QString &field) const { return value(field).toString(); }
    bool isNull(QStringView field) const { return value(field).isNull(); }
    void setValue(QStringView field, const QVariant &value);

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const { return m_editMode; }

    bool Updatable() const { return m_table != nullptr; }
    qint64 Bookmark() const; // the current record's id
    void setBookmark(qint64 bookmark);
    qint64 LastModified() const { return m_lastModified; }
    bool LockEdits() const { return m_lockEdits; }
    void setLockEdits(bool lock) { m_lockEdits = lock; }

    // Cancels a pending edit and releases its lock; the record set is not used afterwards.
    void Close() { CancelUpdate(); }

protected:
    Recordset(Database &db, const TableInfo *table);

    struct RowRef {
        const RowBatch *batch = nullptr;
        int row = 0;
        bool deleted = false; // the current record was deleted
    };
    // The row of the current record; batch is nullptr when there is none.
    virtual RowRef current() const = 0;
    virtual void positionOn(qint64 rowid) = 0;
    // `before`: the database's generation just before the deletion was written.
    virtual void currentWasDeleted(quint64 before) = 0;
    virtual void recordAdded(qint64) {}
    // The whole current row, when the batch left out a column that is read after all.
    virtual RowRef completeRow() const { return current(); }
    // The fields read so far: a long walk copies only these (and its keys) out of each row.
    const std::vector<char> &fieldsRead() const { return m_fieldsRead; }

    // A field without a type (a computed column) reads as stored.
    void setFields(std::vector<QString> names, std::vector<std::optional<schema::Type>> types, int firstColumn);
    void addFieldAlias(const QString &alias, int field);
    void setAtEnds(bool bof, bool eof) { m_bof = bof, m_eof = eof; }
    void leaveRecord(); // a move discards an unfinished edit, as Jet does
    [[noreturn]] static void noCurrentRecord();

    Database &m_db;
    const TableInfo *m_table;
    QString m_index;
    bool m_noMatch = false;

private:
    // `shared`: the same name as a QString, or nullptr.
    int fieldIndex(QStringView name, const QString *shared) const;
    int lookupField(QStringView name) const;
    int requireField(QStringView name, const QString *shared) const;
    qint64 currentRowid() const;
    void readForEdit(qint64 rowid);
    void lockRecord(qint64 rowid, const QString &action);
    void releaseLock();
    qint64 insertRow();
    void updateRow();

    std::vector<QString> m_names;
    std::vector<std::optional<schema::Type>> m_types;
    // Field names by a hash that ignores case, sorted, so a lookup allocates nothing.
    struct NameEntry {
        quint32 hash;
        int field;
        QString name;
    };
    std::vector<NameEntry> m_byName;
    // Walks read the same few names on every record: remember them by where their text lives.
    // A shared name keeps the caller's text alive and unchanged, so the same place and length
    // is the same name; a copied one must be compared.
    struct RecentName {
        const QChar *data = nullptr;
        QString name;
        int field = -1;
        bool shared = false;
    };
    // A short list searched from the front: the same whatever addresses the names have.
    mutable std::array<RecentName, 8> m_recent;
    mutable size_t m_nextRecent = 0;
    int m_firstColumn = 0; // batch column of field 0 (1 when column 0 holds the row id)
    mutable std::vector<char> m_fieldsRead;
    bool m_bof = true, m_eof = true;

    int m_editMode = EditNone;
    std::vector<QVariant> m_buffer, m_original;
    std::vector<bool> m_dirty;
    qint64 m_editRowid = 0;
    bool m_locked = false;
    bool m_lockEdits = true;
    qint64 m_lastModified = 0;
};

// A table in the order of an index (by default the order rows were added).
class TableRecordset : public Recordset {
public:
    TableRecordset(Database &db, const TableInfo &table);
    void MoveFirst() override;
    void MoveLast() override;
    void MoveNext() override;
    void MovePrevious() override;
    int RecordCount() override;
    double PercentPosition() override;
    void setIndex(const QString &name) override;
    void Seek(QStringView comparison, const QVariantList &key) override;

protected:
    RowRef current() const override;
    void positionOn(qint64 rowid) override;
    void currentWasDeleted(quint64 before) override;
    RowRef completeRow() const override;

private:
    // One range of the index: the first `equal` key parts as the key has them, then the next
    // one compared by `op` (or none).
    enum class Op : quint8 { None, Greater, Less, IsNull, NotNull };
    struct Range {
        int equal;
        Op op;
    };
    QVariantList keyOf(const RowBatch &batch, int row) const;
    QVariantList placeBehind(bool forward) const;
    std::vector<Range> ranges(QStringView comparison, const QVariantList &key) const;
    QString condition(const Range &range, const QVariantList &key) const;
    const QString &query(bool forward, bool narrow, const Range &range, const QVariantList &key);
    void selectRead();
    void fetch(bool forward, const std::vector<Range> &ranges, const QVariantList &key, int limit);
    void batchRead(bool forward, bool end);
    bool readRow(RowBatch &into, qint64 rowid) const;
    void step(bool forward);
    void land(bool found);
    void first(int fetchSize);

    std::vector<int> m_keyColumns; // index columns; the row id always follows as the last key
    RowBatch m_batch;
    // A long walk's batch keeps only the fields read; its last row is kept here with the keys
    // as well, which is where the next batch starts.
    RowBatch m_edge;
    QVariantList m_from; // the key the batch was read after ({} for the start of the index)
    int m_pos = -1;
    bool m_forward = true;  // direction of the rows in the batch
    bool m_batchEnd = true; // nothing lies beyond the batch in its direction
    quint64 m_generation = 0;
    int m_fetchSize = 16;
    bool m_deleted = false;
    qint64 m_ordinal = -1; // position in index order, when known
    mutable RowBatch m_complete; // the current row in full, when the batch left columns out
    int m_count = -1;      // the record count PercentPosition last used
    quint64 m_countGeneration = 0;
    std::vector<char> m_selected;    // the columns long batches select: the row id, the fields read, the keys
    std::vector<char> m_kept;        // of those, the ones each row keeps: the row id and the fields read
    QString m_selectedList;          // the same as SQL
    QHash<quint64, QString> m_queries; // batch queries by their shape (see query)
};

// The result of an SQL text, walked by position.
class PositionalRecordset : public Recordset {
public:
    void MoveFirst() override { moveTo(0, +1); }
    void MoveLast() override { moveTo(size() - 1, -1); }
    void MoveNext() override;
    void MovePrevious() override;
    double PercentPosition() override;

protected:
    using Recordset::Recordset;
    virtual int size() const = 0;
    virtual bool skipped(int) const { return false; }
    void moveTo(int position, int direction);
    int m_pos = -1;
};

// "SELECT * FROM table ...": the ids of the rows are read once, the rows in batches as they are
// reached, so the result can be edited and stays small in memory however large the table.
class KeysetRecordset : public PositionalRecordset {
public:
    KeysetRecordset(Database &db, const TableInfo &table, const TranslatedSql &sql);
    int RecordCount() override { return size() - m_deletedCount; }

protected:
    int size() const override { return int(m_rowids.size()); }
    bool skipped(int position) const override { return m_deletedRows[size_t(position)]; }
    RowRef current() const override;
    void positionOn(qint64 rowid) override;
    void currentWasDeleted(quint64 before) override;
    void recordAdded(qint64 rowid) override;

private:
    void load(int position) const;

    std::vector<qint64> m_rowids;
    std::vector<bool> m_deletedRows;
    int m_deletedCount = 0;
    mutable RowBatch m_batch;
    mutable std::vector<int> m_slots; // batch row per position from m_batchStart, -1 when gone
    mutable int m_batchStart = -1;
    mutable quint64 m_generation = 0;
};

// Any other query (joins, groups): the whole result, read once; not updatable.
class SnapshotRecordset : public PositionalRecordset {
public:
    SnapshotRecordset(Database &db, const QString &sql);
    int RecordCount() override { return m_rows.rows(); }

protected:
    int size() const override { return m_rows.rows(); }
    RowRef current() const override;
    void positionOn(qint64) override;
    void currentWasDeleted(quint64) override {}

private:
    RowBatch m_rows;
};

} // namespace kv::db

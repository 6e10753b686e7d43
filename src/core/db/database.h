#pragma once

#include "core/db/recordlocks.h"
#include "core/db/tableinfo.h"

#include <QHash>
#include <QString>

#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace kv::db {

class Recordset;
class Statement;

// A query definition: an SQL text kept to be opened or executed later.
class QueryDef {
public:
    QueryDef(class Database &db, QString sql) : m_db(&db), m_sql(std::move(sql)) {}
    const QString &SQL() const { return m_sql; }
    void setSQL(const QString &sql) { m_sql = sql; }
    std::unique_ptr<Recordset> OpenRecordset() const;
    int Execute() const;

private:
    class Database *m_db;
    QString m_sql;
};

// Whether `path` is an Access (Jet or ACE) database, as the suite's Windows programs keep them.
bool isAccessDatabase(const QString &path);

// When a commit reaches the disk. `AtTheEnd` is for the files a job makes in a temp folder that
// is thrown away when the job fails and put on disk whole when it succeeds (TargetFile::commit):
// their commits do not wait for the disk.
enum class Durability { EachCommit, AtTheEnd };

// One open database file: a shared, read-write connection with the Jet collation and functions,
// WAL journal, full sync (unless made or opened `AtTheEnd`) and a busy timeout; record locks
// shared with other processes.
class Database {
public:
    // Opens an existing file. Fails with 3024 when it is missing, 3031 when the password does not
    // match the one the file was made with.
    static std::unique_ptr<Database> open(const QString &path, const QString &password,
                                          Durability durability = Durability::EachCommit);
    // Opens another program's file only to read it: nothing of it is written, not even a lock
    // or journal file beside it (SQLite takes it as unchanging, so a file that program is
    // writing at that moment may read as damaged and fail). Fails as `open` does.
    static std::unique_ptr<Database> openReadOnly(const QString &path, const QString &password);
    // Makes a new file holding the schema's tables of `which`, protected by `password`.
    static std::unique_ptr<Database> create(const QString &path, const QString &password, schema::Db which,
                                            Durability durability = Durability::EachCommit);
    static std::unique_ptr<Database> create(const QString &path, const QString &password,
                                            const std::vector<schema::Table> &tables,
                                            Durability durability = Durability::EachCommit);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return m_path; }

    // A table name opens a table-type record set (index order, Seek); anything else is SQL.
    std::unique_ptr<Recordset> OpenRecordset(const QString &source);
    std::unique_ptr<Recordset> OpenTable(const QString &table);
    std::unique_ptr<Recordset> OpenQuery(const QString &jetSql);
    QueryDef CreateQueryDef(const QString &jetSql) { return QueryDef(*this, jetSql); }
    // Runs an action query (UPDATE, DELETE, INSERT) in one transaction; returns the rows affected.
    int Execute(const QString &jetSql);

    bool hasTable(const QString &table);
    // Makes `layout` whole in this file: the table when it is missing, else the fields it lacks
    // (added at the end); returns what it added ("Table", or "Table.Field" each). A field of
    // another type than the layout's is refused (3000, naming it) before anything is written.
    QStringList completeTable(const schema::Table &layout);
    QStringList tableNames();
    // Makes the console's own tables of `which` that the file does not have yet (an
    // administration made before they were), in one transaction.
    void createMissingTables(schema::Db which);

    // Explicit transactions; they nest. One user action that writes belongs in one transaction.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool inTransaction();
    // Whether `source` (a table, or a table with a condition: "GrootboekMutaties WHERE Periode IS
    // NOT NULL") has a row: asks SQLite for one, never counts. The statement is kept for next time.
    bool hasRows(const QString &source);
    // One snapshot for a long read (an export) that does not hold up writers as BeginTrans
    // does; ended by Rollback. Inside an open transaction it is a savepoint of that one.
    void BeginReadTrans();

    // Engine internals for record sets.
    sqlite3 *handle() const { return m_db; }
    Statement prepare(const QString &sql);      // cached: for the engine's own, recurring texts
    Statement prepareOnce(const QString &sql);  // not cached: for queries the screens compose
    const TableInfo &table(const QString &name); // throws 3078
    RecordLocks &locks() { return *m_locks; }
    // Each write bumps the generation, so record sets know their buffered rows may be stale.
    quint64 generation() const { return m_generation; }
    void bumpGeneration() { ++m_generation; }

    // Runs `work` inside a transaction (a savepoint when one is open already).
    template <typename F>
    auto write(F &&work)
    {
        BeginTrans();
        try {
            if constexpr (std::is_void_v<decltype(work())>) {
                work();
                CommitTrans();
            } else {
                auto result = work();
                CommitTrans();
                return result;
            }
        } catch (...) {
            try {
                Rollback();
            } catch (...) {
                // The error that made the work fail is the one to report.
            }
            throw;
        }
    }

    void exec(const QString &sql); // plain SQLite, no translation

    // How many bytes of the file SQLite maps into memory; returns what it was. A job that reads
    // every row once maps nothing: its pages pass through the page cache, and the memory of the
    // program stays small on a large administration.
    qint64 setMappedSize(qint64 bytes);

private:
    Database(sqlite3 *db, QString path);
    enum class Connect { Open, Create, ReadOnly };
    static sqlite3 *connect(const QString &path, Connect how, Durability durability = Durability::EachCommit);
    void checkPassword(const QString &password);
    bool followAutocommit();
    void numberInsertedRows(const QString &jetSql);

    sqlite3 *m_db;
    QString m_path;
    std::unique_ptr<RecordLocks> m_locks;
    QHash<QString, sqlite3_stmt *> m_statements;
    // By lower-case name. Record sets keep references to these, so the container must not
    // move its elements when it grows (a QHash does).
    std::unordered_map<QString, TableInfo> m_tables;
    int m_depth = 0;
    quint64 m_generation = 0;
};

// Maps nothing of the file while it lives (see setMappedSize), and then what was mapped before.
class Unmapped {
public:
    explicit Unmapped(Database &db) : m_db(db), m_previous(db.setMappedSize(0)) {}
    ~Unmapped()
    {
        try {
            m_db.setMappedSize(m_previous);
        } catch (...) { // a connection that fails here fails its next statement too
        }
    }
    Unmapped(const Unmapped &) = delete;
    Unmapped &operator=(const Unmapped &) = delete;

private:
    Database &m_db;
    qint64 m_previous;
};

} // namespace kv::db

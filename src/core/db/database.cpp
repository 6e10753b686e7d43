#include "core/db/database.h"

#include "core/db/numbermarks.h"

#include "core/db/dberror.h"
#include "core/db/jetfunctions.h"
#include "core/db/jetsql.h"
#include "core/db/numbermarks.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <algorithm>

#include <sqlite3.h>

namespace kv::db {
namespace {

// The password is kept as a salted, stretched hash so that a file made with one password
// refuses another. This is access control for the suite's programs, not encryption: the
// data itself is stored in the clear.
QByteArray passwordVerifier(const QByteArray &salt, const QString &password)
{
    QByteArray digest = salt + password.toUtf8();
    for (int round = 0; round < 4096; ++round)
        digest = QCryptographicHash::hash(QByteArray(salt + digest), QCryptographicHash::Sha256);
    return digest;
}

constexpr int schemaVersion = 1;

// File systems that other machines reach over a network (statfs f_type): NFS, SMB, SMB2, CIFS,
// FUSE (sshfs and the like), 9P, AFS, Coda, NCP, Ceph.
constexpr long networkFileSystems[] = {0x6969, 0x517B, long(0xFE534D42), long(0xFF534D42), 0x65735546,
                                       0x01021997, 0x5346414F, 0x73757245, 0x564C, 0x00C36400};

// WAL keeps its index in shared memory, which works only between programs on one machine: on a
// network file system two workstations would corrupt the file. There the rollback journal is
// used, and the folder is refused unless record locks are seen across open files.
bool onNetwork(const QString &path)
{
    const long type = fileSystemCalls().type(QFileInfo(path).absolutePath());
    return std::find(std::begin(networkFileSystems), std::end(networkFileSystems), type) != std::end(networkFileSystems);
}

[[noreturn]] void refuseFolder()
{
    raise(ErrLockFailed, QStringLiteral("Deze map staat op een netwerkschijf zonder werkende vergrendeling; "
                                        "de administratie kan hier niet veilig worden geopend."));
}

// Mounted so that locks stay on this machine (NFS nolock or local_lock, CIFS nobrl): a trial
// between two open files here succeeds, yet another workstation never sees the lock.
bool locksStayLocal(const QString &path)
{
    const QStringList options = fileSystemCalls().mountOptions(QFileInfo(path).absolutePath()).split(u',');
    return std::any_of(options.begin(), options.end(), [](const QString &option) {
        return option == u"nolock" || option == u"nobrl" || option == u"local_lock=all"
            || option == u"local_lock=posix";
    });
}

void requireWorkingLocks(const QString &path)
{
    if (locksStayLocal(path) || !RecordLocks::seenAcrossOpenFiles(path))
        refuseFolder();
}

// The journal a connection really uses: a program on the server itself that holds the file in
// WAL keeps it there, and WAL over a network file system corrupts it.
QByteArray journalMode(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    QByteArray mode;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        mode = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))).toLower();
    sqlite3_finalize(stmt);
    return mode;
}

} // namespace

Database::Database(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) {}

Database::~Database()
{
    for (sqlite3_stmt *stmt : std::as_const(m_statements))
        sqlite3_finalize(stmt);
    sqlite3_close_v2(m_db);
}

sqlite3 *Database::connect(const QString &path, Connect how, Durability durability)
{
    const bool readOnly = how == Connect::ReadOnly;
    const bool network = onNetwork(path);
    if (network && !readOnly)
        requireWorkingLocks(path);
    sqlite3 *db = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX
                    | (how == Connect::Create ? SQLITE_OPEN_CREATE : 0);
    // Read-only as "immutable": SQLite then makes no journal, shared-memory or lock file beside it.
    const QByteArray name = readOnly ? QUrl::fromLocalFile(path).toEncoded() + "?immutable=1" : QFile::encodeName(path);
    const int rc = sqlite3_open_v2(name.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        raise(ErrFileInUse, QStringLiteral("Het bestand '%1' kan niet worden geopend.").arg(path));
    }
    sqlite3_extended_result_codes(db, 1);
    registerJetFunctions(db);
    for (const char *pragma : {"PRAGMA busy_timeout = 10000",
                               durability == Durability::AtTheEnd ? "PRAGMA synchronous = OFF" : "PRAGMA synchronous = FULL",
                               "PRAGMA cache_size = -16384", "PRAGMA temp_store = MEMORY",
                               network ? "PRAGMA mmap_size = 0" : "PRAGMA mmap_size = 268435456",
                               readOnly ? "PRAGMA query_only = 1"
                               : network ? "PRAGMA journal_mode = DELETE" : "PRAGMA journal_mode = WAL"})
        sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
    if (network && !readOnly && journalMode(db) != "delete") {
        sqlite3_close_v2(db);
        refuseFolder();
    }
    return db;
}

bool isAccessDatabase(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(19).mid(4);
    return start == "Standard Jet DB" || start == "Standard ACE DB";
}

// An empty file would be taken by SQLite as a new database and written to: it is refused, as
// is a missing one, before anything touches it. So is an Access database of the Windows suite,
// with the way over.
static void requireDatabaseFile(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists())
        raise(ErrFileNotFound, QStringLiteral("Kan bestand '%1' niet vinden.").arg(path));
    if (file.size() == 0)
        raise(ErrUnrecognizedFormat, QStringLiteral("Onbekende database-indeling: '%1' is leeg.").arg(path));
    if (isAccessDatabase(path))
        raise(ErrUnrecognizedFormat, QStringLiteral("Deze administratie is nog een Access-database. "
                                                    "Zet hem over met: korvenal-admin importeer <map> <nieuwe map>"));
}

std::unique_ptr<Database> Database::open(const QString &path, const QString &password, Durability durability)
{
    requireDatabaseFile(path);
    std::unique_ptr<Database> database(new Database(connect(path, Connect::Open, durability), path));
    database->checkPassword(password);
    database->m_locks = std::make_unique<RecordLocks>(path);
    return database;
}

std::unique_ptr<Database> Database::openReadOnly(const QString &path, const QString &password)
{
    requireDatabaseFile(path);
    std::unique_ptr<Database> database(new Database(connect(path, Connect::ReadOnly), path));
    database->checkPassword(password);
    return database;
}

std::unique_ptr<Database> Database::create(const QString &path, const QString &password, schema::Db which,
                                           Durability durability)
{
    std::vector<schema::Table> tables;
    for (const schema::Table &table : schema::tables())
        if (table.db == which)
            tables.push_back(table);
    return create(path, password, tables, durability);
}

std::unique_ptr<Database> Database::create(const QString &path, const QString &password,
                                           const std::vector<schema::Table> &tables, Durability durability)
{
    if (QFile::exists(path))
        raise(ErrFileInUse, QStringLiteral("Het bestand '%1' bestaat al.").arg(path));
    try {
        std::unique_ptr<Database> database(new Database(connect(path, Connect::Create, durability), path));
        database->write([&] {
            database->exec(QStringLiteral("CREATE TABLE kv_meta (name TEXT PRIMARY KEY, value)"));
            QByteArray salt(16, Qt::Uninitialized);
            QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), 4);
            Statement meta = database->prepare(QStringLiteral("INSERT INTO kv_meta VALUES (?1, ?2)"));
            for (const auto &[name, value] : {std::pair<QString, QVariant>{QStringLiteral("salt"), salt},
                                              {QStringLiteral("verifier"), passwordVerifier(salt, password)},
                                              {QStringLiteral("version"), schemaVersion}}) {
                meta.bind(1, name);
                meta.bind(2, value);
                meta.step();
                meta.reset();
            }
            for (const schema::Table &table : tables)
                for (const QString &statement : createStatements(table))
                    database->exec(statement);
        });
        database->m_locks = std::make_unique<RecordLocks>(path);
        return database;
    } catch (...) {
        for (const char *suffix : {"", "-wal", "-shm", ".locks"})
            QFile::remove(path + QLatin1String(suffix));
        throw;
    }
}

void Database::checkPassword(const QString &password)
{
    QByteArray salt, verifier;
    try {
        Statement meta = prepare(QStringLiteral("SELECT name, value FROM kv_meta WHERE name IN ('salt', 'verifier')"));
        while (meta.step())
            (meta.column(0).toString() == u"salt" ? salt : verifier) = meta.column(1).toByteArray();
    } catch (const DbError &) {
        raise(ErrEngine, QStringLiteral("'%1' is geen database van KorvenalPro.").arg(m_path));
    }
    if (verifier.isEmpty() || passwordVerifier(salt, password) != verifier)
        raise(ErrInvalidPassword, QStringLiteral("Ongeldig wachtwoord."));
}

qint64 Database::setMappedSize(qint64 bytes)
{
    sqlite3_stmt *stmt = nullptr;
    qint64 previous = 0;
    if (sqlite3_prepare_v2(m_db, "PRAGMA mmap_size", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        previous = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    exec(QStringLiteral("PRAGMA mmap_size = %1").arg(bytes));
    return previous;
}

void Database::exec(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        raiseSqlite(m_db, rc, sql);
}

Statement Database::prepare(const QString &sql)
{
    sqlite3_stmt *&cached = m_statements[sql];
    if (cached && !sqlite3_stmt_busy(cached))
        return Statement(cached);
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(m_db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                                      nullptr);
    if (rc != SQLITE_OK) {
        if (!cached)
            m_statements.remove(sql);
        raiseSqlite(m_db, rc, sql);
    }
    if (cached) // the cached one is in use further up the stack
        return Statement(stmt, true);
    cached = stmt;
    return Statement(stmt);
}

Statement Database::prepareOnce(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK)
        raiseSqlite(m_db, rc, sql);
    return Statement(stmt, true);
}

const TableInfo &Database::table(const QString &name)
{
    const QString key = name.toLower();
    auto it = m_tables.find(key);
    if (it == m_tables.end())
        it = m_tables.emplace(key, TableInfo::read(*this, name)).first;
    return it->second;
}

QStringList Database::completeTable(const schema::Table &layout)
{
    const QString name = QString::fromLatin1(layout.name);
    if (!hasTable(name)) {
        write([&] {
            for (const QString &statement : createStatements(layout))
                exec(statement);
        });
        return {name};
    }
    const TableInfo &info = table(name);
    QStringList added, fields;
    for (const schema::Field &field : layout.fields) {
        const int column = info.column(QString::fromLatin1(field.name));
        if (column < 0) {
            added << u"ALTER TABLE " + quotedName(name) + u" ADD COLUMN " + quotedName(QLatin1String(field.name)) + u' '
                         + declaredType(field);
            fields << name + u'.' + QLatin1String(field.name);
        }
        else if (info.columns[size_t(column)].type != field.type)
            raise(ErrEngine, QStringLiteral("Het veld %1 van de tabel %2 heeft een ander soort gegevens dan het programma "
                                            "verwacht; er is niets gewijzigd.")
                                 .arg(QLatin1String(field.name), name));
    }
    if (added.isEmpty())
        return {};
    write([&] {
        for (const QString &statement : std::as_const(added))
            exec(statement);
    });
    // Record sets keep a reference to what is known of the table: it is read again in place.
    m_tables[name.toLower()] = TableInfo::read(*this, name);
    return fields;
}

bool Database::hasTable(const QString &name)
{
    try {
        table(name);
        return true;
    } catch (const DbError &) {
        return false;
    }
}

QStringList Database::tableNames()
{
    QStringList names;
    Statement s = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                         "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND name NOT LIKE 'kv\\_%' ESCAPE '\\' "
                                         "ORDER BY name"));
    while (s.step())
        names << s.column(0).toString();
    return names;
}

void Database::createMissingTables(schema::Db which)
{
    QSet<QString> present;
    for (const QString &name : tableNames())
        present.insert(name.toLower());
    std::vector<const schema::Table *> missing;
    for (const schema::Table &table : schema::tables())
        if (table.own && table.db == which && !present.contains(QString::fromLatin1(table.name).toLower()))
            missing.push_back(&table);
    if (missing.empty())
        return;
    write([&] {
        for (const schema::Table *table : missing)
            for (const QString &statement : createStatements(*table))
                exec(statement);
    });
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &source)
{
    const QString trimmed = source.trimmed();
    const bool isName = !trimmed.contains(u' ') || (trimmed.startsWith(u'[') && trimmed.endsWith(u']'));
    if (isName) {
        QString name = trimmed;
        if (name.startsWith(u'['))
            name = name.mid(1, name.size() - 2);
        return OpenTable(name);
    }
    return OpenQuery(trimmed);
}

std::unique_ptr<Recordset> Database::OpenTable(const QString &name)
{
    return std::make_unique<TableRecordset>(*this, table(name));
}

std::unique_ptr<Recordset> Database::OpenQuery(const QString &jetSql)
{
    const TranslatedSql translated = translateJetSql(jetSql);
    if (!translated.table.isEmpty())
        return std::make_unique<KeysetRecordset>(*this, table(translated.table), translated);
    return std::make_unique<SnapshotRecordset>(*this, translated.sql);
}

int Database::Execute(const QString &jetSql)
{
    const QString sql = translateJetSql(jetSql).sql;
    return write([&] {
        exec(sql);
        const int changes = sqlite3_changes(m_db);
        numberInsertedRows(jetSql);
        bumpGeneration();
        return changes;
    });
}

// Jet numbers a counter the INSERT leaves out, as AddNew does: the rows an INSERT left without
// one get the next numbers in the order they were added, inside the INSERT's transaction.
void Database::numberInsertedRows(const QString &jetSql)
{
    static const QRegularExpression insert(QStringLiteral(R"re(^\s*INSERT\s+INTO\s+(?:\[([^\]]+)\]|"([^"]+)"|(\w+)))re"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = insert.match(jetSql);
    if (!match.hasMatch())
        return;
    const QString name = match.captured(1) + match.captured(2) + match.captured(3);
    if (!hasTable(name))
        return;
    const TableInfo &info = table(name);
    const int counter = info.counterColumn();
    if (counter < 0)
        return;
    const QString field = info.columns[size_t(counter)].name;
    std::vector<qint64> rows;
    {
        Statement unnumbered = prepareOnce(QStringLiteral("SELECT rowid FROM %1 WHERE %2 IS NULL ORDER BY rowid")
                                               .arg(quotedName(info.name), quotedName(field)));
        while (unnumbered.step())
            rows.push_back(unnumbered.column(0).toLongLong());
    }
    if (rows.empty())
        return;
    qint64 next = nextNumber(*this, info.name, field);
    Statement number = prepareOnce(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(quotedName(info.name), quotedName(field)));
    for (const qint64 row : rows) {
        number.bind(1, next++);
        number.bind(2, row);
        number.step();
        number.reset();
    }
    numberUsed(*this, info.name, field, next - 1);
}

// SQLite ends a transaction itself on some failures (SQLITE_FULL, an I/O error, a failed
// COMMIT); the depth must not go on counting one that is gone. True when it found one gone.
bool Database::followAutocommit()
{
    if (m_depth == 0 || !sqlite3_get_autocommit(m_db))
        return false;
    m_depth = 0;
    bumpGeneration();
    return true;
}

bool Database::inTransaction()
{
    followAutocommit();
    return m_depth > 0;
}

void Database::BeginTrans()
{
    followAutocommit();
    if (m_depth == 0)
        exec(QStringLiteral("BEGIN IMMEDIATE"));
    else // a savepoint per saved record inside a long transaction: its statement is kept
        prepare(QStringLiteral("SAVEPOINT kv%1").arg(m_depth)).step();
    ++m_depth;
}

bool Database::hasRows(const QString &source)
{
    return prepare(u"SELECT 1 FROM " + source + u" LIMIT 1").step();
}

void Database::BeginReadTrans()
{
    if (inTransaction()) {
        BeginTrans();
        return;
    }
    exec(QStringLiteral("BEGIN DEFERRED"));
    ++m_depth;
    // The snapshot starts at the first read, so read now rather than at the first query.
    exec(QStringLiteral("SELECT 1 FROM sqlite_master LIMIT 1"));
}

void Database::CommitTrans()
{
    // Work after the end would have been written piece by piece: the unit did not land whole.
    if (followAutocommit())
        raise(ErrEngine, QStringLiteral("De transactie is door de database afgebroken; de wijzigingen zijn niet "
                                        "(volledig) opgeslagen."));
    if (m_depth == 0)
        return;
    // On failure the transaction stays open at this depth, so the caller's Rollback undoes it.
    if (m_depth == 1)
        exec(QStringLiteral("COMMIT"));
    else
        prepare(QStringLiteral("RELEASE kv%1").arg(m_depth - 1)).step();
    --m_depth;
}

void Database::Rollback()
{
    followAutocommit();
    if (m_depth == 0)
        return;
    --m_depth;
    bumpGeneration();
    if (m_depth == 0)
        exec(QStringLiteral("ROLLBACK"));
    else
        exec(QStringLiteral("ROLLBACK TO kv%1; RELEASE kv%1").arg(m_depth));
}

std::unique_ptr<Recordset> QueryDef::OpenRecordset() const
{
    return m_db->OpenQuery(m_sql);
}

int QueryDef::Execute() const
{
    return m_db->Execute(m_sql);
}

} // namespace kv::db

#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <sys/types.h>

#include <utility>

struct flock;

namespace kv::db {

// What the engine asks the operating system about a data folder. Tests put in their own to
// stand for what the test machine cannot produce: a network file system, a lock call that fails.
struct FileSystemCalls {
    int (*setLock)(int fd, int command, struct flock *lock); // fcntl with an F_OFD_ lock command
    long (*type)(const QString &path);                        // statfs f_type, 0 when unknown
    QString (*mountOptions)(const QString &path); // of the mount holding `path`, comma-separated
};
FileSystemCalls &fileSystemCalls();

// Record locks shared by every process that opens the same database file. Each record is one
// byte of a lock file beside the database, locked with an open-file-description lock: a lock
// is gone the moment its holder closes the file or dies, so a crashed program never leaves a
// record locked.
class RecordLocks {
public:
    explicit RecordLocks(const QString &databasePath);
    ~RecordLocks();
    RecordLocks(const RecordLocks &) = delete;
    RecordLocks &operator=(const RecordLocks &) = delete;

    enum Outcome { Taken, HeldHere, HeldElsewhere };
    // Takes the record's lock for `owner` (a record set). HeldHere: another owner of this
    // connection has it; HeldElsewhere: another program. Throws 3050 when the system refuses
    // the request itself.
    Outcome tryLock(const void *owner, const QString &table, qint64 rowid);
    // Releases the lock only when `owner` holds it.
    void unlock(const void *owner, const QString &table, qint64 rowid);
    // The rows of `table` whose locks another program holds now, as ranges of row ids (first,
    // last): a few calls for the whole table where tryLock takes one per row.
    QList<std::pair<qint64, qint64>> heldElsewhere(const QString &table) const;

    // Whether a lock taken through one open file of the lock file is seen through another;
    // some network file systems grant both.
    static bool seenAcrossOpenFiles(const QString &databasePath);

private:
    int m_fd = -1;
    // The lock belongs to the open file, which every record set of the connection shares, so
    // which of them holds a record is kept here.
    QHash<off_t, const void *> m_owners;
};

} // namespace kv::db

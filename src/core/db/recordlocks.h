#pragma once

#include <QString>

namespace kv::db {

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

    // False when another holder has the record.
    bool tryLock(const QString &table, qint64 rowid);
    void unlock(const QString &table, qint64 rowid);

private:
    int m_fd = -1;
};

} // namespace kv::db

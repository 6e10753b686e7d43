#include "core/db/recordlocks.h"

#include "core/db/dberror.h"

#include <fcntl.h>
#include <unistd.h>

namespace kv::db {
namespace {

// One byte per record: a hash of the table name (FNV-1a, the same in every process and version)
// picks a 2^40-byte region, the row id a byte in it.
off_t lockOffset(const QString &table, qint64 rowid)
{
    quint32 hash = 2166136261u;
    for (char c : table.toLower().toUtf8())
        hash = (hash ^ quint8(c)) * 16777619u;
    const quint64 region = hash & 0x3fffff;
    return off_t((region << 40) | (quint64(rowid) & ((quint64(1) << 40) - 1)));
}

bool setLock(int fd, short type, off_t offset, bool wait)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    return fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) == 0;
}

} // namespace

RecordLocks::RecordLocks(const QString &databasePath)
{
    const QByteArray path = (databasePath + QStringLiteral(".locks")).toLocal8Bit();
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        raise(ErrFileInUse, QStringLiteral("Het vergrendelingsbestand %1 kan niet worden geopend.")
                                .arg(QString::fromLocal8Bit(path)));
}

RecordLocks::~RecordLocks()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RecordLocks::tryLock(const QString &table, qint64 rowid)
{
    return setLock(m_fd, F_WRLCK, lockOffset(table, rowid), false);
}

void RecordLocks::unlock(const QString &table, qint64 rowid)
{
    setLock(m_fd, F_UNLCK, lockOffset(table, rowid), false);
}

} // namespace kv::db

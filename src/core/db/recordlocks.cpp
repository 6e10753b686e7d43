#include "core/db/recordlocks.h"

#include "core/db/dberror.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <vector>

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

// Beyond every record's region; one byte per process, so that two programs opening at the same
// moment do not take each other's trial for a lock that does not work.
off_t trialOffset()
{
    return off_t((quint64(1) << 62) + quint64(::getpid()));
}

int lockCall(int fd, short type, off_t offset)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    return fileSystemCalls().setLock(fd, F_OFD_SETLK, &lock);
}

// False when another holder has the byte; any other refusal is an error of its own, not "locked".
bool setLock(int fd, off_t offset)
{
    if (lockCall(fd, F_WRLCK, offset) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    raise(ErrLockFailed, QStringLiteral("De record kan niet worden vergrendeld: %1.")
                             .arg(QString::fromLocal8Bit(std::strerror(errno))));
}

int openLockFile(const QString &databasePath)
{
    const QString path = databasePath + QStringLiteral(".locks");
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        raise(ErrFileInUse, QStringLiteral("Het vergrendelingsbestand %1 kan niet worden geopend.").arg(path));
    return fd;
}

int systemSetLock(int fd, int command, struct flock *lock)
{
    return ::fcntl(fd, command, lock);
}

long systemType(const QString &path)
{
    struct statfs info {};
    return ::statfs(QFile::encodeName(path).constData(), &info) == 0 ? long(info.f_type) : 0;
}

// From /proc/self/mountinfo: the mount whose point is the longest leading part of the path;
// its own options and those of its file system.
QString systemMountOptions(const QString &path)
{
    QFile info(QStringLiteral("/proc/self/mountinfo"));
    if (!info.open(QIODevice::ReadOnly))
        return {};
    const QString target = QFileInfo(path).canonicalFilePath();
    QString best, options;
    for (const QByteArray &line : info.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 6 || dash < 0 || dash + 3 >= fields.size())
            continue;
        const QString point = QString::fromLocal8Bit(fields[4]).replace(QStringLiteral("\\040"), QStringLiteral(" "));
        const bool holds = target == point || target.startsWith(point == u"/" ? point : point + u'/');
        if (holds && point.size() >= best.size()) {
            best = point;
            options = QString::fromLocal8Bit(fields[5] + ',' + fields[dash + 3]);
        }
    }
    return options;
}

} // namespace

FileSystemCalls &fileSystemCalls()
{
    static FileSystemCalls calls{systemSetLock, systemType, systemMountOptions};
    return calls;
}

RecordLocks::RecordLocks(const QString &databasePath) : m_fd(openLockFile(databasePath)) {}

RecordLocks::~RecordLocks()
{
    ::close(m_fd);
}

RecordLocks::Outcome RecordLocks::tryLock(const void *owner, const QString &table, qint64 rowid)
{
    const off_t offset = lockOffset(table, rowid);
    if (const void *holder = m_owners.value(offset))
        return holder == owner ? Taken : HeldHere;
    if (!setLock(m_fd, offset))
        return HeldElsewhere;
    m_owners.insert(offset, owner);
    return Taken;
}

void RecordLocks::unlock(const void *owner, const QString &table, qint64 rowid)
{
    const off_t offset = lockOffset(table, rowid);
    if (m_owners.value(offset) != owner)
        return;
    m_owners.remove(offset);
    lockCall(m_fd, F_UNLCK, offset); // cannot fail in a way that keeps the lock past close

}

QList<std::pair<qint64, qint64>> RecordLocks::heldElsewhere(const QString &table) const
{
    const off_t base = lockOffset(table, 0);
    QList<std::pair<qint64, qint64>> held;
    // The system names one conflicting lock in a range; the parts of the range beside it are
    // asked again.
    std::vector<std::pair<off_t, off_t>> ranges{{base, base + (off_t(1) << 40)}};
    while (!ranges.empty()) {
        const auto [from, to] = ranges.back();
        ranges.pop_back();
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = from;
        lock.l_len = to - from;
        if (fileSystemCalls().setLock(m_fd, F_OFD_GETLK, &lock) != 0)
            raise(ErrLockFailed, QStringLiteral("De vergrendelingen kunnen niet worden gelezen: %1.")
                                     .arg(QString::fromLocal8Bit(std::strerror(errno))));
        if (lock.l_type == F_UNLCK)
            continue;
        const off_t first = std::max(from, lock.l_start);
        const off_t end = lock.l_len == 0 ? to : std::min(to, lock.l_start + lock.l_len);
        held.append({qint64(first - base), qint64(end - 1 - base)});
        if (first > from)
            ranges.emplace_back(from, first);
        if (end < to)
            ranges.emplace_back(end, to);
    }
    return held;
}

bool RecordLocks::seenAcrossOpenFiles(const QString &databasePath)
{
    const int first = openLockFile(databasePath);
    const int second = ::open(QFile::encodeName(databasePath + QStringLiteral(".locks")).constData(),
                              O_RDWR | O_CLOEXEC);
    bool seen = false;
    try {
        seen = second >= 0 && setLock(first, trialOffset()) && !setLock(second, trialOffset());
    } catch (const DbError &) {
        seen = false;
    }
    if (second >= 0)
        ::close(second);
    ::close(first); // closing drops the trial lock
    return seen;
}

} // namespace kv::db

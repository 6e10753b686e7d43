#include "core/jobs/targetfile.h"

#include "core/log/workstation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

QString prefix(const QFileInfo &target)
{
    return u"."_s + target.fileName() + u'.' + GetComputerNaam() + u'.';
}

void removeTemp(const QString &path)
{
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

void removeLeftovers(const QFileInfo &target)
{
    const QString before = prefix(target);
    const QDir folder(target.absolutePath());
    for (const QString &name : folder.entryList({before + u"*.tmp"_s}, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 process = name.mid(before.size()).chopped(4).toLongLong(&number);
        if (number && ::kill(pid_t(process), 0) != 0 && errno == ESRCH)
            removeTemp(folder.filePath(name));
    }
}

bool syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// The file, or the folder with everything in it, on disk.
bool syncTree(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return syncPath(path, O_RDONLY);
    const QDir folder(path);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (!syncTree(folder.filePath(name)))
            return false;
    return syncPath(path, O_RDONLY | O_DIRECTORY);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

TargetFile::TargetFile(const QString &target)
{
    const QFileInfo info(target);
    m_target = info.absoluteFilePath();
    removeLeftovers(info);
    m_temp = info.absolutePath() + u'/' + prefix(info) + QString::number(::getpid()) + u".tmp"_s;
}

TargetFile::~TargetFile()
{
    if (!m_committed)
        removeTemp(m_temp);
}

bool TargetFile::commit()
{
    const QByteArray temp = QFile::encodeName(m_temp), target = QFile::encodeName(m_target);
    struct stat existing {};
    mode_t mode = 0;
    if (::stat(target.constData(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = (QFileInfo(m_temp).isDir() ? 0777 : 0666) & ~mask;
    }
    if (::chmod(temp.constData(), mode) != 0 || !syncTree(m_temp)
        || std::rename(temp.constData(), target.constData()) != 0) {
        m_error = systemError();
        return false;
    }
    m_committed = true;
    syncPath(QFileInfo(m_target).absolutePath(), O_RDONLY | O_DIRECTORY); // the rename is on disk once the folder is
    return true;
}

} // namespace kv

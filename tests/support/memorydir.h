#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace kv::test {

// A temporary folder in memory where the machine has it (/dev/shm): a killed process loses
// nothing the kernel holds, so the kills prove the same, and the many commits of a run do not
// wait on the disk.
class MemoryDir : public QTemporaryDir {
public:
    MemoryDir() : QTemporaryDir(base()) {}

private:
    static QString base()
    {
        const QString memory = QStringLiteral("/dev/shm");
        return (QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) + QStringLiteral("/beheer-XXXXXX");
    }
};

// A copy of a data folder's files, as they are on disk, replacing what `to` held.
inline void copyFolder(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    for (const QFileInfo &file : QDir(from).entryInfoList(QDir::Files))
        QFile::copy(file.filePath(), QDir(to).filePath(file.fileName()));
}

} // namespace kv::test

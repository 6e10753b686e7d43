#pragma once

#include <QDir>
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

} // namespace kv::test

#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kv::fuzz {

// The fuzzer's bytes as text; invalid UTF-8 becomes replacement characters, which is one more
// kind of odd input.
inline QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A folder for the files a target writes, ending in "/": in memory where the system has such a
// place, since on a disk every rewritten file waits for the file system.
inline const QString &scratchFolder()
{
    static const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir folder(base + QStringLiteral("/beheer-fuzz-XXXXXX"));
    static const QString path = folder.path() + u'/';
    return path;
}

// Stops the run with the input saved when an invariant does not hold.
inline void require(bool holds, const char *invariant, const QString &detail = {})
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s [%s]\n", invariant, qPrintable(detail));
        std::abort();
    }
}

} // namespace kv::fuzz

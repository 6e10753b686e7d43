#pragma once

#include <QString>

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

// Stops the run with the input saved when an invariant does not hold.
inline void require(bool holds, const char *invariant, const QString &detail = {})
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s [%s]\n", invariant, qPrintable(detail));
        std::abort();
    }
}

} // namespace kv::fuzz

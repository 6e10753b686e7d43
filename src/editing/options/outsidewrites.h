#pragma once

#include "core/registry/registry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace kv {
class Context;
}

namespace kv::options {

// What a save or an undo writes outside the database (registry values, marker files) before its
// database transaction, so that it can be put back when that transaction does not land.
class OutsideWrites {
public:
    explicit OutsideWrites(Context &ctx) : m_ctx(ctx) {}

    // Writes the values under the program's key in one replace, keeping what they were.
    void registry(const Registry::Values &values);

    // Replaces the file whole, or removes it (`content` nothing); returns what it held before,
    // nothing when it was not there. A file that already holds `content` is not written again.
    std::optional<QByteArray> file(const QString &path, const std::optional<QByteArray> &content);

    // Everything written as it was.
    void putBack();

private:
    Context &m_ctx;
    Registry::Values m_registryBefore;
    QStringList m_registryAbsent; // written where there was no value
    std::vector<std::pair<QString, std::optional<QByteArray>>> m_filesBefore;
};

} // namespace kv::options

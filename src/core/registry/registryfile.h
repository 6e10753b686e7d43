#pragma once

#include "core/registry/registry.h"

#include <array>
#include <functional>
#include <memory>

namespace kv {

namespace reg {
struct Document;
}

// The current user's registry as one text file in the layout of a Registry Editor export.
// Every call looks at the file afresh and keeps nothing open; what was read is parsed again
// only when the file changed. A write takes a lock file beside
// it, reads, changes and replaces the file whole, so two programs writing at once lose
// nothing and a reader never sees half a file.
class RegistryFile : public Registry {
public:
    explicit RegistryFile(QString path = defaultPath());
    ~RegistryFile() override;

    // $BEHEER_REGISTRY when set, otherwise "registry.reg" in the user's configuration folder.
    static QString defaultPath();
    const QString &path() const { return m_path; }

    QString LeesRegistry(QStringView keyPath, QStringView valueName) override;
    bool SchrijfRegistry(QStringView keyPath, QStringView valueName, const QString &text) override;
    bool SchrijfRegistry(QStringView keyPath, const Values &values) override;
    bool createAndWrite(const KeyValues &keys) override;
    bool removeValues(QStringView keyPath, const QStringList &valueNames) override;
    QStringList valueNames(QStringView keyPath) override;
    bool createKey(QStringView keyPath) override;

private:
    // The file as last parsed, parsed again when it is not the same file any more; an empty
    // document when there is no file, null when there is one that cannot be read.
    reg::Document *read() const;
    // Applies `change` under the lock and saves when it returns true.
    bool update(const std::function<bool(reg::Document &)> &change);

    QString m_path;
    mutable std::unique_ptr<reg::Document> m_parsed;
    mutable std::array<qint64, 6> m_parsedStamp{}; // see stampOf
};

} // namespace kv

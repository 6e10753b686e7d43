#pragma once

#include "migration/source.h"

#include <memory>

namespace kv::migration {

// An Access (Jet 3, Jet 4, ACE) database file read with mdbtools, opened read-only. Texts come
// as UTF-8 from the file's code page (Windows-1252 for Jet 3, compressed UCS-2 for Jet 4);
// fixed-width numbers, amounts and dates are taken from the row's bytes, not from mdbtools'
// printed form. A Jet 4 database password does not stop it.
class JetReader : public SourceReader {
public:
    // Throws SourceError when the file cannot be opened as a Jet database.
    explicit JetReader(const QString &path);
    ~JetReader() override;
    QString path() const override { return m_path; }
    std::vector<SourceTable> tables() override;
    void read(const SourceTable &table, const std::function<bool(const Row &)> &visit) override;

private:
    QString m_path;
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

} // namespace kv::migration

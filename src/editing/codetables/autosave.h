#pragma once

#include "editing/codetables/hulplist.h"

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace kv {
class Context;
class Registry;
}

namespace kv::codetables {

using AutoSavePaths = std::array<QString, 3>;

// "tabelpalletlabel", 1 gives "tabelpalletlabel_AutoSaveFilename1".
QString autoSaveValueName(QStringView tableKey, int n);

AutoSavePaths readAutoSavePaths(Registry &registry, QStringView tableKey);
void writeAutoSavePaths(Registry &registry, QStringView tableKey, const AutoSavePaths &paths);

// Why `path` cannot take an export, or "": it must be absolute and outside the data folder
// (an export there could replace one of the administration's own files).
QString autoSavePathProblem(const Context &ctx, const QString &path);

// Writes the ticked entries, one trimmed text a line, to each path set for the table; each
// file is replaced whole or not at all. A path that is not allowed, an existing file that is
// no such export, or a file that cannot be replaced is reported and ends the export; false
// then.
bool exportAutoSave(Context &ctx, QStringView tableKey, const std::vector<Entry> &entries);

// The logic of `frmHulpAutoSave`: the three paths of one table.
class HulpAutoSave {
public:
    HulpAutoSave(Context &ctx, QString tableKey);

    QString caption() const;
    AutoSavePaths paths;

    // Stores the paths and answers "refresh" in `EditKey`; false (after the message) for a
    // path that is not allowed.
    bool ok();

private:
    Context &m_ctx;
    QString m_key;
};

} // namespace kv::codetables

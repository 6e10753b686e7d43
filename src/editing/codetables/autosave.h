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

// Writes the ticked entries, one trimmed text a line, to each path set for the table. A file
// that cannot be replaced is reported and ends the export; false then.
bool exportAutoSave(Context &ctx, QStringView tableKey, const std::vector<Entry> &entries);

// The logic of `frmHulpAutoSave`: the three paths of one table.
class HulpAutoSave {
public:
    HulpAutoSave(Context &ctx, QString tableKey);

    QString caption() const;
    AutoSavePaths paths;

    // Stores the paths and answers "refresh" in `EditKey`.
    void ok();

private:
    Context &m_ctx;
    QString m_key;
};

} // namespace kv::codetables

#pragma once

#include "core/jobs/listsource.h"

namespace kv {
class Context;
class Progress;
}

namespace kv::exporting {

struct ExportResult {
    enum class Outcome { Written, Refused, Stopped, Failed };
    Outcome outcome = Outcome::Failed;
    QString message; // why it was refused or failed
    qint64 rows = 0;
};

// The most rows a sheet holds below its header row.
inline constexpr qint64 MaxSheetRows = 1048575;
inline constexpr QStringView TeveelRegels = u"De lijst heeft meer dan 1.048.575 regels. Exporteer naar CSV.";

// Writes the list to `path` (.xlsx or .csv) through a temp file beside it, which replaces the
// file only when complete. The progress hears every 26 rows and may stop the export there.
ExportResult exportList(Context &ctx, const ListSource &source, const QString &path, Progress *progress);

} // namespace kv::exporting

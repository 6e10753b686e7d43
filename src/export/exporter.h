#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace kv {
class Context;
class Progress;
}

namespace kv::exporting {

// A list as the export reads it: its column headers, how many rows it has, and a walk over
// them in list order that hands each row's shown texts to a visitor (false stops the walk).
struct ListSource {
    QString title;
    QStringList headers;
    qint64 rowCount = 0;
    std::function<void(const std::function<bool(const QStringList &)> &)> visitRows;
};

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

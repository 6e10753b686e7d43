#include "export/exporter.h"

#include "core/context.h"
#include "core/jobs/progress.h"
#include "core/jobs/targetfile.h"
#include "core/log/schrijflog.h"
#include "export/sheetwriter.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kv::exporting {
namespace {

using Outcome = ExportResult::Outcome;

QString writeError(const QString &path, const QString &reason)
{
    return u"Het bestand "_s + path + u" kan niet worden geschreven: "_s + reason;
}

ExportResult write(Context &ctx, const ListSource &source, const QString &path, Progress *progress)
{
    const std::optional<SheetFormat> format = formatOf(path);
    if (!format)
        return {Outcome::Refused, u"Kies een bestand dat eindigt op .xlsx of .csv."_s};
    if (*format == SheetFormat::Xlsx && source.rowCount > MaxSheetRows)
        return {Outcome::Refused, TeveelRegels.toString()};

    TargetFile target(path);
    const std::unique_ptr<SheetWriter> writer =
        *format == SheetFormat::Xlsx ? xlsxWriter(ctx, target.tempPath()) : csvWriter(target.tempPath());
    ExportResult result{Outcome::Written};
    if (!writer->row(source.headers))
        return {Outcome::Failed, writeError(path, writer->error())};
    int counter = 0;
    source.visitRows([&](const QStringList &cells) {
        if (!writer->row(cells)) {
            result.outcome = Outcome::Failed;
            return false;
        }
        ++result.rows;
        if (++counter > 25) {
            counter = 0;
            if (progress) {
                progress->percent(int(result.rows * 100 / std::max<qint64>(source.rowCount, result.rows)));
                if (progress->stopRequested()) {
                    result.outcome = Outcome::Stopped;
                    return false;
                }
            }
        }
        return true;
    });
    if (result.outcome == Outcome::Written && !writer->close())
        result.outcome = Outcome::Failed;
    if (result.outcome == Outcome::Failed)
        result.message = writeError(path, writer->error());
    if (result.outcome == Outcome::Written && !target.commit())
        return {Outcome::Failed, writeError(path, target.error())};
    return result;
}

} // namespace

ExportResult exportList(Context &ctx, const ListSource &source, const QString &path, Progress *progress)
{
    const QString tag = PadRechts(u"SYSTEEM"_s, 10);
    SchrijfLog(ctx, tag + u": Formulier       : Exporteren "_s + source.title);
    ExportResult result = write(ctx, source, path, progress);
    if (progress)
        progress->finished();
    if (result.outcome == Outcome::Written)
        SchrijfLog(ctx, tag + u": + Actie         : "_s + path + u" ("_s + QString::number(result.rows) + u" regels)"_s);
    else
        SchrijfLog(ctx, tag + u": + Afgebroken    : "_s
                            + (result.outcome == Outcome::Stopped ? path : result.message));
    return result;
}

} // namespace kv::exporting

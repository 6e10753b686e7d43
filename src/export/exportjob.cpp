#include "export/exportjob.h"

#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"
#include "core/messages/errorreport.h"
#include "export/exporter.h"
#include "export/sheetwriter.h"
#include "export/sources.h"

#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace kv::exporting {

int runExportJob(const QStringList &arguments, ListRequest narrowing, const std::vector<ListFinder> &finders)
{
    if (arguments.size() != 3)
        return 64;
    if (!formatOf(arguments[2])) {
        std::fprintf(stderr, "Kies een bestand dat eindigt op .xlsx of .csv.\n");
        return 1;
    }
    // The session makes the data folder the current one: the file's name is taken before.
    const QString path = QFileInfo(arguments[2]).absoluteFilePath();
    JobSession job(false);
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    narrowing.name = arguments[1];
    FoundList found;
    ExportResult result;
    const bool ran = tryOperation(job.ctx, u"frmSelectieExporteren: Exporteren"_s, [&] {
        found = findEditingList(job.ctx, narrowing);
        for (auto finder = finders.begin(); !found.found() && finder != finders.end(); ++finder)
            found = (*finder)(job.ctx, narrowing);
        if (!found.source)
            return;
        TerminalProgress progress;
        progress.step(u"Exporteren "_s + found.source->title);
        result = exportList(job.ctx, *found.source, path, &progress);
    });
    if (!ran || job.dialogs.failed())
        return 2;
    if (!found.found()) {
        std::fprintf(stderr, "Onbekende lijst: %s\n", qPrintable(arguments[1]));
        return 1;
    }
    if (!found.source) {
        std::fprintf(stderr, "%s\n", qPrintable(found.refusal));
        return 1;
    }
    switch (result.outcome) {
    case ExportResult::Outcome::Written:
        std::printf("%s\t%lld\n", qPrintable(path), static_cast<long long>(result.rows));
        return 0;
    case ExportResult::Outcome::Refused:
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 1;
    case ExportResult::Outcome::Stopped:
        std::fprintf(stderr, "Afgebroken: het bestand is NIET geschreven.\n");
        return 130;
    case ExportResult::Outcome::Failed:
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 2;
    }
    return 2;
}

} // namespace kv::exporting

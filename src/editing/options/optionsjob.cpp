#include "editing/options/optionsjob.h"

#include "core/db/dberror.h"
#include "core/jobs/jobsession.h"
#include "editing/options/optionslogic.h"
#include "editing/options/optionstool.h"
#include "editing/options/pathstatus.h"

#include <cstdio>

namespace kv::options {

namespace {

int run(const QStringList &arguments, bool undo, bool yes, const std::vector<OptionScreen> &screens)
{
    JobSession job(yes || undo); // questions: Yes only when asked for; --ongedaan is the answer to its own
    if (!job.open(arguments[0]))
        return 2;
    Context &ctx = job.ctx;

    if (arguments.size() == 1) {
        for (const OptionRow &row : listOptions(ctx, screens))
            std::printf("%s\t%s\t%s\t%s\n", qPrintable(row.form), qPrintable(row.key), qPrintable(row.stored),
                        qPrintable(row.shown));
        return 0;
    }
    const OptionScreen *screen = nullptr;
    for (const OptionScreen &candidate : screens)
        if (candidate.screen.compare(arguments[1], Qt::CaseInsensitive) == 0)
            screen = &candidate;
    if (!screen) {
        std::fprintf(stderr, "Onbekend formulier: %s\n", qPrintable(arguments[1]));
        return 1;
    }
    const bool done = undo ? OptionsLogic(ctx, *screen).undoLast()
                           : setOptions(ctx, *screen, arguments.mid(2));
    if (job.dialogs.failed())
        return 2;
    return done ? 0 : 1;
}

} // namespace

int runOptionsJob(const QStringList &arguments, bool undo, bool yes, const std::vector<OptionScreen> &screens)
{
    // A list, or a screen with what to set, or a screen to undo: nothing else.
    const bool usage = arguments.size() == 1 ? !undo : arguments.size() == 2 ? undo : arguments.size() > 2 && !undo;
    if (!usage)
        return 64;
    try {
        return run(arguments, undo, yes, screens);
    } catch (const db::DbError &e) { // an administration the options cannot be read from
        std::fprintf(stderr, "Fout %d: %s\n", e.number(), qPrintable(e.description()));
        return 2;
    }
}

int runLinksJob(const QStringList &arguments, const std::vector<OptionScreen> &screens)
{
    if (arguments.size() != 1)
        return 64;
    JobSession job(false);
    if (!job.open(arguments[0]))
        return 2;
    std::vector<OptionRow> rows;
    try {
        rows = listOptions(job.ctx, screens);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "Fout %d: %s\n", e.number(), qPrintable(e.description()));
        return 2;
    }
    bool broken = false;
    for (const OptionRow &row : rows) {
        if (row.kind != Control::Folder && row.kind != Control::File)
            continue;
        const QString status = pathStatus(row.kind, row.shown);
        broken = broken || isBroken(status);
        std::printf("%s\t%s\t%s\t%s\n", qPrintable(row.form), qPrintable(row.key), qPrintable(row.shown), qPrintable(status));
    }
    return broken ? 1 : 0;
}

} // namespace kv::options

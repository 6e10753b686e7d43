#include "editing/options/optionsjob.h"

#include "core/context.h"
#include "core/db/dberror.h"
#include "core/messages/jobdialogs.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "core/startup/startup.h"
#include "editing/options/optionslogic.h"
#include "editing/options/optionstool.h"

#include <cstdio>

namespace kv::options {

namespace {

int run(const QStringList &arguments, bool undo, bool yes, const std::vector<OptionScreen> &screens)
{
    RegistryFile registry;
    installRegistryKeys(registry); // as the first start of the console does
    JobDialogs dialogs(yes || undo); // questions: Yes only when asked for; --ongedaan is the answer to its own
    Session session;
    Context ctx;
    ctx.registry = &registry;
    ctx.dialogs = &dialogs;
    ctx.session = &session;
    if (!session.OpenAdministratie(arguments[0])) {
        std::fprintf(stderr, "De administratie in %s kan niet worden geopend.\n", qPrintable(arguments[0]));
        return 2;
    }
    const CommandLineFolder folder = parseCommandLine(arguments[0]);
    ctx.DataPad = folder.dataPad;
    ctx.AdminCode = folder.adminCode; // per-administration registry values carry it
    ctx.AdminJaar = folder.adminJaar;

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
    if (dialogs.failed())
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

} // namespace kv::options

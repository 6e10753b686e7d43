#include "core/jobs/jobsession.h"

#include "core/startup/startup.h"

#include <QDir>

#include <cstdio>

namespace kv {

bool JobSession::open(const QString &given)
{
    // The session works from the data folder: a folder named relative to here is made whole first.
    const QString folder = QDir(given).absolutePath();
    installRegistryKeys(registry); // as the first start of the console does
    ctx.registry = &registry;
    ctx.dialogs = &dialogs;
    ctx.session = &session;
    if (!session.OpenAdministratie(folder)) {
        std::fprintf(stderr, "De administratie in %s kan niet worden geopend.\n", qPrintable(folder));
        return false;
    }
    const CommandLineFolder parsed = parseCommandLine(folder);
    ctx.DataPad = parsed.dataPad;
    ctx.AdminCode = parsed.adminCode; // per-administration registry values carry it
    ctx.AdminJaar = parsed.adminJaar;
    return true;
}

} // namespace kv

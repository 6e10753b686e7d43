#include "demo/demoadministration.h"

#include "core/session/administration.h"

namespace kv::demo {

void generateAdministratie(const QString &folder, const Scale &, const std::function<void(int)> &)
{
    createAdministratie(folder, QString(), true);
}

void createDemoAdministratie(const QString &folder)
{
    generateAdministratie(folder, Scale::demo());
}

} // namespace kv::demo

#include "demo/demoadministration.h"

#include "core/session/administration.h"

namespace kv::demo {

void createDemoAdministratie(const QString &folder)
{
    createAdministratie(folder, QString(), true);
}

} // namespace kv::demo

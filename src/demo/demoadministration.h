#pragma once

#include <QString>

namespace kv::demo {

// Makes the demo administration in `folder`: a believable Dutch agricultural trading company
// with a year of bookkeeping, relations, articles, orders and filled code tables. The same
// folder name always gives the same data.
void createDemoAdministratie(const QString &folder);

} // namespace kv::demo

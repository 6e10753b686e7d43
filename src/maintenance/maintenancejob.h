#pragma once

#include "maintenance/ordermove.h"

#include <QStringList>

namespace kv::maintenance {

// korvenal-admin archiveren <map> <datum> [--ook-onverwerkt] --proef|--ja
// korvenal-admin opschonen <map> <datum|jaar> --proef|--ja
// Prints, tab-separated, the rows per table moved to the archive ("naar archief") and removed
// without an order ("verwijderd"), the number of orders, and each order that stays with why
// ("blijft"); with --proef nothing is written. Exit 0; 1 bad input (nothing written); 2 the
// administration cannot be opened or an error stopped the run (finished groups stay); 3 orders
// skipped, each named on stderr; 130 stopped by SIGINT/SIGTERM after the group at work; 64 usage.
int runOrderMoveJob(OrderSelection::Job job, const QStringList &arguments, bool ookOnverwerkt, bool proef, bool ja);

} // namespace kv::maintenance

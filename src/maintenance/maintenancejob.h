#pragma once

#include "maintenance/ordermove.h"

#include <QStringList>

namespace kv::maintenance {

// korvenal-admin archiveren <map> <datum> [--ook-onverwerkt] --proef|--ja
// korvenal-admin opschonen <map> <datum|jaar> --proef|--ja
// (a year up to last year is taken through its 31 December)
// Prints, tab-separated, the rows per table moved to the archive ("naar archief") and removed
// without an order ("verwijderd"), the number of orders, and each order that stays with why
// ("blijft"); with --proef nothing is written. Exit 0; 1 bad input (nothing written); 2 the
// administration cannot be opened or an error stopped the run (finished groups stay); 3 orders
// skipped, each named on stderr; 130 stopped by SIGINT/SIGTERM after the group at work; 64 usage.
int runOrderMoveJob(OrderSelection::Job job, const QStringList &arguments, bool ookOnverwerkt, bool proef, bool ja);

// korvenal-admin archief-verwijderen <map> <datum> --proef|--ja [--bewaartermijn]
// Removes archived orders with a line before the date from the archive, printing the rows per
// archive table ("verwijderd"). Lines dated within the seven years the law keeps them are only
// removed with --bewaartermijn; without it the command says how many and exits 1.
int runArchivePurgeJob(const QStringList &arguments, bool proef, bool ja, bool bewaartermijn);

} // namespace kv::maintenance

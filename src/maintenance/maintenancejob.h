#pragma once

#include "maintenance/deletion.h"
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

// korvenal-admin relaties-verwijderen <map>
// korvenal-admin facturen-verwijderen <map> <datum> [--alleen-balie]
// korvenal-admin alle-facturen-verwijderen <map> --ik-weet-wat-ik-doe --niet-per-ongeluk
// korvenal-admin jaar-verwijderen <map> balie|ritten|inslag <jaar>
// each with --proef or --ja, and --bewaartermijn to allow rows the law still keeps. Prints the
// rows per table ("verwijderd"), the units ("eenheden") and each that stays with why ("blijft");
// the exit codes of the order moves.
struct DeletionOptions {
    bool proef = false, ja = false, bewaartermijn = false, alleenBalie = false;
    bool ikWeetWatIkDoe = false, nietPerOngeluk = false;
};
int runDeletionJob(DeletionRequest::Job job, const QStringList &arguments, const DeletionOptions &options);

} // namespace kv::maintenance

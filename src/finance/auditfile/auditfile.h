#pragma once

#include "core/context.h"
#include "finance/auditfile/sections.h"

#include <QString>

namespace kv::finance::auditfile {

// The file could not be written (disk full, no rights); nothing was delivered.
struct Schrijffout {
    QString melding;
};

struct Resultaat {
    qint64 bytes = 0;
    std::vector<BtwHerstel> herstellingen; // stored in the relations once the file was in place
};

// Writes the audit file of the open administration to `pad`. The file is written beside the
// target and renamed over it only when complete, all read in one transaction so that bookings
// made meanwhile cannot make header and lines disagree. Throws Stop or Schrijffout and then
// leaves no file (an old one unchanged) and the data as they were.
Resultaat maakAuditfile(Context &ctx, const QString &pad, const Opties &opties);

} // namespace kv::finance::auditfile

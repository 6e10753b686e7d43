#pragma once

#include "finance/auditfile/sections.h"

#include <QStringList>

namespace kv::finance::auditfile {

// korvenal-admin auditfile <map> <bestand> [--zonder-beginbalans] [--kostenplaatsen] [--btw]:
// the screen's export without its dialogs. Faults and remarks on standard error (with a
// progress line when that is a terminal), the success message on standard output. Returns 0
// made, 1 bad data (nothing written), 2 the administration or the file failed, 130 stopped by
// SIGINT or SIGTERM (nothing written), 64 wrong usage.
int runAuditfileJob(const QStringList &arguments, const Opties &opties);

// korvenal-admin auditfile-controle <bestand>: checks any XAF 3.2 file against the official
// schema with the export's messages. Returns 0 valid, 1 not, 64 wrong usage.
int runAuditfileCheckJob(const QStringList &arguments);

} // namespace kv::finance::auditfile

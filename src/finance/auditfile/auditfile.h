#pragma once

#include "core/context.h"
#include "finance/auditfile/sections.h"

#include <QString>

namespace kv {
class Progress;
}

namespace kv::finance::auditfile {

// The file could not be written (disk full, no rights); nothing was delivered.
struct Schrijffout {
    QString melding;
};

struct Resultaat {
    qint64 bytes = 0;
    qint64 regels = 0;                     // trLines written
    QStringList opmerkingen;               // what is worth knowing, kind by kind; the file is made
    std::vector<BtwHerstel> herstellingen; // stored in the relations once the file was in place
};

// What the screen and the tool show while the file is made.
inline constexpr QStringView kSchrijven = u"De XML auditfile wordt aangemaakt...";
inline constexpr QStringView kControleren = u"De XML auditfile wordt gecontroleerd...";

// Writes the audit file of the open administration to `pad`. The file is written beside the
// target, checked against the official schema and renamed over the target only when complete
// and valid, all read in one transaction so that bookings made meanwhile cannot make header
// and lines disagree. Throws Stop (bad data, or the schema's faults), Schrijffout or
// Afgebroken, and then leaves no file (an old one unchanged) and the data as they were.
Resultaat maakAuditfile(Context &ctx, const QString &pad, const Opties &opties, Progress *voortgang = nullptr);

// The export as the screen and the tool run it, with its log lines: what it made or why not.
struct Uitkomst {
    enum class Soort { Gemaakt, Fout, Mislukt, Afgebroken } soort = Soort::Mislukt;
    QString melding; // the success message, or the fault; empty when the error was already reported
    Resultaat resultaat;
};

// Logs "Auditfile XML aanmaken", runs maakAuditfile and logs its end: ": + Afgerond      : "
// with the path and the line count, or ": + Onverwerkt    : " with the first fault; one
// ": + Actie         : " per relation whose VAT number got "NL". A database error is
// reported (log and error window) as every operation reports it.
Uitkomst voerUit(Context &ctx, const QString &pad, const Opties &opties, Progress *voortgang);

} // namespace kv::finance::auditfile

#pragma once

#include <QString>

#include <vector>

namespace kv {
class Context;
namespace options {
struct AuditEntry;
}
} // namespace kv

namespace kv::finance {

// The booking-period types of the financial year, as `UserGegevens`.`BoekingsPeriode` stores them.
enum class PeriodType { Year = 0, Quarter = 1, Month = 2, Week = 3 };

// A row of `Perioden`; dates as "yyyymmdd".
struct Period {
    int nr = 0;
    QString omschrijving, startdatum, einddatum, opendatum;
    bool geblokkeerd = false;
};

// The periods of a financial year from `start` to `end`: 0 the opening balance, the ordinary
// periods (the first one starting on `start`, so a broken year runs into the next calendar
// year), then (not for a year period) the blocked correction period. An empty start or end is
// `boekjaar` 0101 or 1231.
std::vector<Period> periodsOf(PeriodType type, QString start, QString end, const QString &boekjaar);

// Replaces every row of `Perioden` with `periods` in one transaction (a part of the caller's
// when one is open), with the rows of the settings trail: a save of its own under `form`, or
// added to `trail`, the caller's save.
void replacePeriods(Context &ctx, const std::vector<Period> &periods, const QString &form,
                    std::vector<options::AuditEntry> *trail = nullptr);

} // namespace kv::finance

#pragma once

#include <QString>

#include <functional>

namespace kv::demo {

// How much of everything an administration gets. The demo is small enough to read through;
// the large one is what the benchmarks measure against.
struct Scale {
    int relations;
    int articles;
    int orders;       // each with one to five lines
    int ledgerLines;  // booked over the year, balanced per booking
    int openItems;
    int trips;
    // Of the ledger lines, those booked in the first weeks of the next year: payments of the
    // year's last invoices and recurring bookings, as entered after the year end.
    int lateLines = 0;

    static Scale demo() { return {300, 250, 600, 12000, 400, 120, 120}; }
    static Scale large() { return {20000, 100000, 100000, 1000000, 50000, 20000, 20000}; }
};

// Fills a new administration in `folder` (made here; it must not exist yet) with a believable
// Dutch agricultural trading company at the given scale. The same scale always gives the
// same data. `progress` hears 0..100 while it works. With a password, every database and the
// password file get it, as for a new administration.
void generateAdministratie(const QString &folder, const Scale &scale,
                           const std::function<void(int percent)> &progress = {}, const QString &password = {});

// The demo administration: generateAdministratie at the demo scale.
void createDemoAdministratie(const QString &folder, const QString &password = {});

// The files the demo's mail templates use beside the databases: the user file `access.dat`, the
// logo the invoice template shows and the general terms it sends along.
void writeMailFiles(const QString &folder);

} // namespace kv::demo

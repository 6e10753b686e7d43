#pragma once

#include "core/context.h"

#include <QDate>
#include <QString>

namespace kv {

// Dates are stored as the text "yyyymmdd" (day "00" for a whole month, year "0000" for no
// date), typed as ddmmyyyy and shown as " 5 jan 2020".

// "JAN" ... "DEC" (any case) give the month number "1" ... "12"; "1" ... "12" (or "01" ...
// "09") give the Dutch name, full or abbreviated; anything else gives "".
QString MaandNaam(QStringView maand, bool volledig);

// A stored "yyyymmdd" as a date, read from its digits; invalid for anything that is not eight
// digits of a real date (day "00", year "0000").
QDate OpgeslagenDatum(QStringView datum);

// The number of days of the month in the year; 0 for a month outside 1-12.
int DagenInMaand(int maand, int jaar);

// Stored "yyyymmdd" to ddmmyyyy (`naarOpslag` false; other lengths unchanged), or the digits
// of a typed ddmmyyyy, padded to eight, to "yyyymmdd" (`naarOpslag` true; "" unchanged).
QString DatumOmzetten(QStringView datum, bool naarOpslag);

// The display form of a stored date: " 5 jan 2020", "31 dec 2020", "jan 2020" for day 00 and
// "" for year 0000. Any text that is not eight characters comes back trimmed with a leading
// "0" turned into a blank. `geformatteerd` tells which of the two happened.
QString DatumWeergave(QStringView datum, bool eerstOmzetten = false, bool *geformatteerd = nullptr);

// The digits of a date typed with a month name: "01 jan 2020" and "1-jan-2020" give
// "01012020", "jan 2020" and "jan2020" give "012020", ddmmyyyy stays, a year stays; "" for
// anything else.
QString DatumInvoerLezen(QStringView invoer);

// A stored date (or "-" for today) in the locale's short-date order and separator, with day
// or month "00" read as "01" and February held to its last day.
QString DatumSysteemVorm(const Context &context, QStringView datum);

} // namespace kv

#pragma once

#include "core/context.h"

#include <QString>
#include <QVariant>

// How values are written into an XAF 3.2 audit file.
namespace kv::finance::auditfile {

// The amount as `FormatBedrag` shows it, its separators stripped and "." before the last two
// digits: 1.234,56 becomes 1234.56 and 7 becomes 7.00.
QString bedrag(Separators &separators, const QVariant &waarde);
// The integer cents `bedrag` writes for a value.
qint64 centenVan(Separators &separators, const QVariant &waarde);
// The integer cents of an amount text as `bedrag` writes it, so sums equal what the file shows.
qint64 centen(QStringView geschreven);
// A sum of cents written as an amount: -123456 becomes -1234.56.
QString bedragUitCenten(qint64 centen);

// A stored "yyyymmdd" as "yyyy-mm-dd"; a year of 0 becomes `adminJaar`, a month or day of 0
// becomes "01"; a text that is not 8 characters long becomes the first of January.
QString datum(const QString &opgeslagen, const QString &adminJaar);

// Upper case, blanks removed.
QString postcode(const QString &waarde);

// Free text in the SEPA set, cut to `maximum` characters when that is not 0.
QString tekst(const QString &waarde, int maximum = 0);

// A value written as stored: only "&", "<" and ">" become entities, so the file stays XML.
QString alsOpgeslagen(const QString &waarde);

// The `jrnTp` of a journal by its description.
QString journaalType(const QString &omschrijving);

// Whether a two-letter code is one of the countries the audit file accepts.
bool isLandcode(QStringView code);

// The country of a `TabelLandcode` description: its first two characters, trimmed, upper case.
QString landcodeVan(const QString &omschrijving);

} // namespace kv::finance::auditfile

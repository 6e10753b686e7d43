#pragma once

#include <QString>

namespace kv {

// True for a Dutch VAT number whose nine digits pass the 11-proof, or whose "NL" + nine digits
// + "B" + two digits pass the ISO 7064 mod 97-10 check that the ids of sole traders (since
// 2020) are built on. Only the digits of the text count.
bool CheckBtwNummer(QStringView btwNummer);

// True for a Dutch postcode: four digits and two non-digits, blanks ignored.
bool CheckPostcode(QStringView postcode);

// The first eight characters without blanks; a valid postcode as "1234 AB" (case as typed).
QString FormatPostcode(QStringView postcode);

} // namespace kv

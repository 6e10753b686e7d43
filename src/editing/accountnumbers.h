#pragma once

#include <QString>

namespace kv {

// A bank account number as shown: nine digits as 12.34.56.789, ten as 1234.567.890, an IBAN
// in groups of four; spaces, "." and "/" of the input are dropped first and letters upper-cased.
QString FormatRekeningnummer(QStringView rekening);

// True for an empty or short (under nine) all-digit number, a valid IBAN, or a nine- or
// ten-digit number that passes the 11-proof.
bool CheckRekeningnummer(QStringView rekening);

} // namespace kv

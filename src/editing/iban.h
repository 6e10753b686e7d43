#pragma once

#include <QString>

#include <optional>

namespace kv {

// True when the text is a valid IBAN by the ISO 13616 check (mod 97); blanks and the
// characters " / : \ + - *" are ignored.
bool IsGeldigIBAN(QStringView text);

// The remainder of an arbitrarily long digit string divided by `deler`; an empty text counts
// as 0. -1 for a text that is not all digits or a divisor below 1.
int ModuloGroot(QStringView cijfers, int deler);

// The digits at the end of a valid IBAN without leading zeros (the domestic account number
// of a Dutch IBAN); any other text comes back without "." and blanks.
QString IBANNaarRekeningnummer(QStringView iban);

// The BIC of the bank of a valid IBAN, from its bank code; "" when unknown or invalid.
QString IBANNaarBIC(QStringView iban);

// The BIC of a Dutch bank code; "" for a code not in the table. Deutsche Bank has two
// BICs in the Netherlands, told apart by the account number in the IBAN.
QString BankcodeNaarBIC(QStringView iban, QStringView bankcode);

// Letters as two digits ("A" = 10 ... "Z" = 35, either case), digits as they are, blanks
// dropped; nothing when another character is met. Used by the check digits of IBANs and VAT ids.
std::optional<QString> lettersAsDigits(QStringView text);

} // namespace kv

#pragma once

#include <QRandomGenerator>
#include <QString>

// Account and registration numbers that pass the checks banks and the tax office apply.
namespace kv::demo {

// An IBAN without blanks, e.g. NL91ABNA0417164300. Dutch accounts also pass the old 11-proof.
QString makeDutchIban(QRandomGenerator &random, const QString &bank = {}); // bank: RABO, INGB, ...; any when empty
QString makeBelgianIban(QRandomGenerator &random);
QString makeGermanIban(QRandomGenerator &random);
// The bank code (BIC prefix) of a Dutch IBAN: RABO, INGB, ...
QString dutchBankCode(const QString &iban);

// VAT identification numbers: NL + nine digits passing the 11-proof + B + two digits;
// BE + ten digits (mod 97); DE + nine digits (ISO 7064 mod 11,10).
QString makeDutchVatNumber(QRandomGenerator &random);
QString makeBelgianVatNumber(QRandomGenerator &random);
QString makeGermanVatNumber(QRandomGenerator &random);

bool vatNumberValid(const QString &vatNumber);

// A SEPA creditor identifier: NL, check digits, business code ZZZ and the national id.
QString sepaCreditorId(const QString &nationalId);

// Eight digits, as the Chamber of Commerce gives them.
QString makeKvkNumber(QRandomGenerator &random);

} // namespace kv::demo

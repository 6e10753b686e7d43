#pragma once

#include <QString>

#include <vector>

namespace kv {

// One country of the IBAN registry. `opbouw` is the BBAN (what follows country code and check
// digits) as the registry writes it: "4!a10!n" is four capitals and ten digits.
struct IbanLand {
    QStringView code;
    QString naam; // the Dutch name, as the advice names it
    int lengte;   // the whole IBAN
    QStringView opbouw;
};

const std::vector<IbanLand> &ibanRegister();

// The country of a two-letter code (either case); nullptr when it has no IBAN.
const IbanLand *ibanLand(QStringView landcode);

// Advice on an IBAN whose country is known but whose length or shape is not that country's;
// "" otherwise (also for a domestic number or an unknown country). It never stops a save:
// `IsGeldigIBAN` decides what is valid, this only tells what looks odd.
QString IBANAdvies(QStringView iban);

} // namespace kv

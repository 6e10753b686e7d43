#pragma once

#include "editing/options/option.h"

#include <QString>

namespace kv::finance {

// The company data of the SEPA direct debit and credit transfer batches (frmIncassoBetalen):
// the initiating party, the accounts to collect to and pay from, the creditor identifier and
// the batch booking indicator. Saving starts both batch series again at 0.
options::OptionScreen incassoBetalen();

// Advice on a creditor identifier, "" when it looks right: its check digits (ISO 7064 mod 97-10
// over the national identifier, the country and the check digits; the business code is left
// out), and for a Dutch one the form KvK number + four digits with the company's own KvK number.
// An empty identifier gets none.
QString incassantIdAdvice(const QString &incassantId, const QString &kvkNr);

} // namespace kv::finance

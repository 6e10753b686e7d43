#pragma once

#include <QDate>
#include <QString>

#include <utility>
#include <vector>

namespace kv {
class Context;
}

namespace kv::finance {

// Something to look at before the VAT return: a code that would put amounts in the wrong box
// or at the wrong rate, or ledger lines of the return period booked with a code that does not
// allow them. `code` 0: lines without a code.
struct VatFinding {
    int code;
    QString text;
};

// The last return period that has ended before `today`, by `BTWperiode` (0 month, 1 quarter,
// 2 year): its first and last day as "yyyymmdd".
std::pair<QString, QString> lastReturnPeriod(int btwPeriode, const QDate &today);

// The VAT codes, then the ledger lines booked from `from` to `to` ("yyyymmdd"), in code order.
std::vector<VatFinding> checkVat(Context &ctx, const QString &from, const QString &to);

} // namespace kv::finance

// FormatGetal, FormatGetalGegroepeerd and VerwijderNullen: well-formed output that reads back.
#include "editing/numbers.h"
#include "fuzzing.h"

#include <QRegularExpression>

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);
    const Separators separators;
    for (int decimals = 1; decimals <= 4; ++decimals) {
        const QRegularExpression shape(
            QRegularExpression::anchoredPattern(QStringLiteral("-?(0|[1-9][0-9]*),[0-9]{%1}").arg(decimals)));
        for (bool na : {false, true}) {
            const QString out = FormatGetal(separators, input, decimals, na);
            if (na && out == u"n/a")
                continue;
            fuzz::require(shape.match(out).hasMatch(), "number shape", out);
            fuzz::require(FormatGetal(separators, out, decimals) == out, "reads back to itself", out);
            const QString trimmed = VerwijderNullen(separators, out, true);
            fuzz::require(FormatGetal(separators, trimmed, decimals) == out, "trailing zeros carry no value", out);
        }
    }
    static const QRegularExpression grouped(
        QRegularExpression::anchoredPattern(QStringLiteral("-?(0|[1-9][0-9]{0,2}(\\.[0-9]{3})*)(,[0-9]{2})?")));
    for (bool decimals : {false, true}) {
        const QString out = FormatGetalGegroepeerd(separators, input, decimals, true);
        fuzz::require(out.isEmpty() || grouped.match(out).hasMatch(), "grouped shape", out);
    }
    return 0;
}

// FormatGetal, FormatGetalGegroepeerd and VerwijderNullen: well-formed output that reads back.
#include "editing/numbers.h"
#include "fuzzing.h"

#include <QRegularExpression>

#include <array>

using namespace kv;

namespace {

// The shape of a number with 1 to 4 decimals, compiled once.
const QRegularExpression &numberShape(int decimals)
{
    static const auto shapes = [] {
        std::array<QRegularExpression, 5> made;
        for (int d = 1; d <= 4; ++d)
            made[size_t(d)] = QRegularExpression(
                QRegularExpression::anchoredPattern(QStringLiteral("-?(0|[1-9][0-9]*),[0-9]{%1}").arg(d)));
        return made;
    }();
    return shapes[size_t(decimals)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);
    const Separators separators;
    for (int decimals = 1; decimals <= 4; ++decimals) {
        const QRegularExpression &shape = numberShape(decimals);
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

// FormatBedrag: any text gives a well-formed amount that reads back to itself, and plain
// numbers come out as an independent integer computation says.
#include "editing/amounts.h"
#include "fuzzing.h"

#include <QRegularExpression>

#include <string>

using namespace kv;

namespace {

const QRegularExpression amountShape(
    QRegularExpression::anchoredPattern(QStringLiteral("-?(0|[1-9][0-9]{0,2}(\\.[0-9]{3})*)(,[0-9]{2})?")));
const QRegularExpression plainNumber(
    QRegularExpression::anchoredPattern(QStringLiteral("(-?)([0-9]{1,15})(?:,([0-9]{1,6}))?")));

// Cents rounded half up with integers only, grouped by hand.
QString expectedAmount(const QRegularExpressionMatch &m)
{
    const long long whole = m.captured(2).toLongLong();
    const QString fraction = m.captured(3).leftJustified(3, u'0').left(3);
    long long cents = whole * 100 + fraction.left(2).toInt() + (fraction[2] >= u'5' ? 1 : 0);
    std::string digits = std::to_string(cents / 100);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ".");
    char tail[8];
    std::snprintf(tail, sizeof tail, ",%02lld", cents % 100);
    const bool negative = !m.captured(1).isEmpty() && cents != 0;
    return QString::fromStdString((negative ? "-" : "") + digits + tail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);
    for (int flags = 0; flags < 8; ++flags) {
        const BedragOpmaak options{bool(flags & 1), bool(flags & 2), bool(flags & 4)};
        Separators separators;
        const QString out = FormatBedrag(separators, input, options);

        QString plain = out;
        if (options.negatiefTussenHaken && out.startsWith(u'<')) {
            fuzz::require(out.endsWith(u'>'), "brackets close", out);
            plain = u'-' + out.mid(1, out.size() - 2);
        }
        fuzz::require(amountShape.match(plain).hasMatch(), "amount shape", out);
        fuzz::require(plain != u"-0" && plain != u"-0,00", "no signed zero", out);
        fuzz::require(options.geenDecimalen != plain.contains(u','), "decimals as asked", out);
        const BedragOpmaak reread{false, options.geenDecimalen, false};
        fuzz::require(FormatBedrag(separators, plain, reread) == plain, "reads back to itself", out);

        const BedragOpmaak withCents{false, false, options.afronden};
        const QString cents = FormatBedrag(separators, input, withCents);
        if (options.geenDecimalen) {
            const QString cut = cents.section(u',', 0, 0);
            fuzz::require(plain == (cut == u"-0" ? QStringLiteral("0") : cut), "whole amount is the cents amount cut", out);
        }
    }

    Separators separators;
    const auto m = plainNumber.match(input);
    if (m.hasMatch())
        fuzz::require(FormatBedrag(separators, input) == expectedAmount(m), "value of a plain number", input);
    return 0;
}

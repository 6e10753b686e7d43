#include "editing/dates.h"

#include "editing/numbers.h"
#include "editing/text.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {

constexpr std::array<QStringView, 12> abbreviations = {u"jan", u"feb", u"mrt", u"apr", u"mei", u"jun",
                                                       u"jul", u"aug", u"sep", u"okt", u"nov", u"dec"};
constexpr std::array<QStringView, 12> fullNames = {u"januari", u"februari", u"maart",     u"april",
                                                   u"mei",     u"juni",     u"juli",      u"augustus",
                                                   u"september", u"oktober", u"november", u"december"};

// The value of a run of digits as the suite reads it: a text that is no number reads as 0.
int numberOf(QStringView text)
{
    return IsNumeriek(text) ? text.toInt() : 0;
}

// The month number of a name, "01" ... "12", or "" when it is none.
QString monthDigits(QStringView name)
{
    const QString number = MaandNaam(name, false);
    return IsNumeriek(number) ? number.rightJustified(2, u'0') : QString();
}

} // namespace

QString MaandNaam(QStringView maand, bool volledig)
{
    for (int i = 0; i < 12; ++i) {
        if (maand.compare(abbreviations[i], Qt::CaseInsensitive) == 0)
            return QString::number(i + 1);
    }
    const bool number = (maand.size() == 1 || maand.size() == 2) && IsNumeriek(maand);
    const int month = number ? maand.toInt() : 0;
    if (month < 1 || month > 12)
        return {};
    return (volledig ? fullNames : abbreviations)[month - 1].toString();
}

QDate OpgeslagenDatum(QStringView datum)
{
    if (datum.size() != 8 || !std::all_of(datum.begin(), datum.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return {};
    const auto getal = [&](int van, int lengte) {
        int n = 0;
        for (QChar c : datum.mid(van, lengte))
            n = n * 10 + (c.unicode() - u'0');
        return n;
    };
    return QDate(getal(0, 4), getal(4, 2), getal(6, 2));
}

int DagenInMaand(int maand, int jaar)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (maand < 1 || maand > 12)
        return 0;
    const bool leap = jaar % 4 == 0 && !(jaar % 100 == 0 && jaar % 400 != 0);
    return maand == 2 && leap ? 29 : days[maand - 1];
}

QString DatumOmzetten(QStringView datum, bool naarOpslag)
{
    if (!naarOpslag)
        return datum.size() == 8 ? (datum.mid(6, 2) + datum.mid(4, 2) + datum.left(4)) : datum.toString();
    if (datum.isEmpty())
        return {};
    // Read as a whole number the way the suite always has: blanks skipped, digits up to the
    // first other character.
    QString digits;
    for (QChar c : datum) {
        if (c == u' ')
            continue;
        if (c < u'0' || c > u'9')
            break;
        digits += c;
    }
    digits = ZonderVoorloopNullen(digits).rightJustified(8, u'0');
    return digits.right(4) + digits.mid(2, 2) + digits.left(2);
}

QString DatumWeergave(QStringView datum, bool eerstOmzetten, bool *geformatteerd)
{
    const QString value = eerstOmzetten ? DatumOmzetten(datum, false) : datum.toString();
    QString shown;
    const bool stored = value.size() == 8;
    if (!stored) {
        shown = trimSpaces(value);
    } else if (value.left(4) != u"0000") {
        const QString month = MaandNaam(value.mid(4, 2), false);
        const QString day = value.right(2);
        const QString monthYear = month + u' ' + value.left(4);
        shown = trimSpaces(numberOf(day) == 0 ? monthYear : day + u' ' + monthYear);
    }
    if (shown.startsWith(u'0'))
        shown[0] = u' ';
    if (geformatteerd)
        *geformatteerd = stored;
    return shown;
}

QString DatumInvoerLezen(QStringView invoer)
{
    QString text = trimSpaces(invoer);
    switch (text.size()) {
    case 4:
        return text;
    case 7:
    case 8: {
        if (text.size() == 8 && IsNumeriek(QStringView(text).left(3)))
            return text;
        const QString month = monthDigits(QStringView(text).left(3));
        return month.isEmpty() ? QString() : month + text.right(4);
    }
    case 10:
        if (!text.contains(u' '))
            return {};
        text.prepend(u'0');
        [[fallthrough]];
    case 11: {
        const QChar separator = text.contains(u' ') ? u' ' : u'-';
        const QString name = text.section(separator, 1, 1);
        const QString month = monthDigits(name);
        return month.isEmpty() ? QString() : text.left(2) + month + text.right(4);
    }
    default:
        return {};
    }
}

QString DatumSysteemVorm(const Context &context, QStringView datum)
{
    const QString stored = datum == u"-" ? context.today().toString(QStringLiteral("yyyyMMdd")) : datum.toString();
    const QString year = stored.left(4);
    QString month = stored.mid(4, 2);
    QString day = stored.mid(6, 2);
    if (day == u"00")
        day = QStringLiteral("01");
    if (month == u"00")
        month = QStringLiteral("01");
    if (numberOf(month) == 2 && numberOf(day) >= 29)
        day = QString::number(DagenInMaand(2, numberOf(year)));

    // Only the order of the pattern's d, m and y parts counts, not their widths.
    QStringList parts;
    QString seen;
    for (QChar c : context.shortDateFormat) {
        if ((c == u'd' || c == u'm' || c == u'y') && !seen.contains(c)) {
            seen += c;
            parts += c == u'd' ? day : c == u'm' ? month : year;
        }
    }
    return parts.join(context.dateSeparator);
}

} // namespace kv

#include "editing/amounts.h"

#include "editing/decimaltext.h"
#include "editing/text.h"

#include <algorithm>

namespace kv {

namespace {

// Reads a typed or stored amount. An empty integer part reads as 0, which also covers ",5",
// "-," and a lone "-".
std::optional<decimal::Number> readAmount(QString text)
{
    text.remove(u' ');
    decimal::Number n;
    n.negative = text.startsWith(u'-');

    // A single "." with one or two characters after it was meant as the decimal separator
    // (12.5, 12.50); every other "." groups thousands.
    const qsizetype dot = text.indexOf(u'.');
    const qsizetype afterDot = text.size() - 1 - dot;
    if (dot >= 0 && text.count(u'.') == 1 && (afterDot == 1 || afterDot == 2))
        text[dot] = u',';
    else
        text.remove(u'.');

    text.remove(u'-'); // a "-" after the first place is a slip of the finger
    const bool readable = text.count(u',') <= 1 && std::all_of(text.begin(), text.end(), [](QChar c) {
        return isDigit(c) || c == u',';
    });
    if (!readable)
        return std::nullopt;
    n.whole = text.section(u',', 0, 0);
    n.fraction = text.section(u',', 1);
    return n;
}

} // namespace

QString FormatBedrag(Separators &separators, const QVariant &waarde, BedragOpmaak opmaak)
{
    const QString zero = opmaak.geenDecimalen ? QStringLiteral("0") : QStringLiteral("0,00");
    QString text = decimal::valueText(waarde, u',');
    text.remove(QChar(0x00A0));
    text = trimSpaces(text);
    if (text.isEmpty())
        return zero;

    separators.DecimaalTeken = u',';
    separators.DuizendTeken = u'.';
    const auto read = readAmount(text);
    if (!read)
        return zero;

    decimal::Number n = opmaak.afronden ? decimal::rounded(*read, 0, decimal::Rounding::HalfEven)
                                        : decimal::rounded(*read, 2, decimal::Rounding::HalfUp);
    n.fraction = opmaak.geenDecimalen ? QString() : n.fraction.leftJustified(2, u'0');
    const QString shown = decimal::render({false, n.whole, n.fraction}, u',', u'.');
    if (!n.negative || n.isZero())
        return shown;
    if (opmaak.negatiefTussenHaken)
        return u'<' + shown + u'>';
    return u'-' + shown;
}

QString CentenTekst(qint64 centen, QChar decimaalTeken)
{
    char tekst[32];
    char *p = tekst + sizeof tekst;
    quint64 rest = centen < 0 ? 0 - quint64(centen) : quint64(centen);
    for (int d = 0; d < 2; ++d, rest /= 10)
        *--p = char('0' + rest % 10);
    *--p = char(decimaalTeken.unicode());
    do {
        *--p = char('0' + rest % 10);
        rest /= 10;
    } while (rest);
    if (centen < 0)
        *--p = '-';
    return QString::fromLatin1(p, tekst + sizeof tekst - p);
}

} // namespace kv

#include "editing/numbers.h"

#include "editing/decimaltext.h"
#include "editing/text.h"

#include <algorithm>

namespace kv {

namespace {

struct NumberValue {
    QString cleaned; // the value as text, "%" and blanks removed
    std::optional<decimal::Number> number;
};

NumberValue readNumber(const Separators &separators, const QVariant &waarde)
{
    const QString text = decimal::valueText(waarde, separators.DecimaalTeken);
    NumberValue v;
    v.cleaned = text;
    v.cleaned.remove(u'%').remove(u' ');
    // Compared before the blanks go, or "(niet ingesteld)" would no longer be recognised.
    const QString trimmed = trimSpaces(text);
    if (v.cleaned.isEmpty() || trimmed == u"n/a" || trimmed == u"(niet ingesteld)")
        v.number = decimal::Number{};
    else
        v.number = decimal::parse(v.cleaned, separators.DecimaalTeken, separators.DuizendTeken);
    return v;
}

bool allOf(QStringView text, auto accepted)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), accepted);
}

} // namespace

QString FormatGetal(const Separators &separators, const QVariant &waarde, int decimalen, bool naToegestaan)
{
    const int places = decimalen == 0 ? 2 : decimalen;
    const NumberValue v = readNumber(separators, waarde);
    if (places < 1 || places > 4)
        return v.cleaned;
    if (!v.number && naToegestaan)
        return QStringLiteral("n/a");
    const decimal::Number n = decimal::rounded(v.number.value_or(decimal::Number{}), places,
                                               decimal::Rounding::HalfUp);
    return decimal::render(n, separators.DecimaalTeken);
}

QString FormatGetalGegroepeerd(const Separators &separators, const QVariant &waarde, bool metDecimalen,
                               bool metDuizendtallen)
{
    const NumberValue v = readNumber(separators, waarde);
    if (v.cleaned.isEmpty())
        return {};
    decimal::Number n = v.number.value_or(decimal::Number{});
    if (metDecimalen)
        n = decimal::rounded(n, 2, decimal::Rounding::HalfUp);
    else
        n.fraction.clear();
    return decimal::render(n, separators.DecimaalTeken, metDuizendtallen ? separators.DuizendTeken : QChar());
}

QString VerwijderNullen(const Separators &separators, QString getal, bool ookKaleNul)
{
    const qsizetype separator = getal.lastIndexOf(separators.DecimaalTeken);
    if (separator < 0 || separators.DecimaalTeken.isNull())
        return getal;
    while (getal.endsWith(u'0') && getal.size() - separator > 2)
        getal.chop(1);
    if (ookKaleNul && getal.size() >= 3 && getal.size() - separator == 2 && getal.endsWith(u'0'))
        getal.chop(2);
    return getal;
}

bool IsNumeriek(QStringView text)
{
    return allOf(text, isDigit);
}

bool IsNumeriek(QStringView text, const Separators &separators)
{
    return allOf(text, [&](QChar c) {
        const bool separator = c == separators.GetalDecimaalTeken || c == separators.GetalDuizendTeken;
        return isDigit(c) || (separator && !c.isNull());
    });
}

double Val(QStringView text)
{
    QString number;
    bool point = false;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c.isDigit() && c.unicode() < 128)
            number += c;
        else if ((c == u'-' || c == u'+') && number.isEmpty())
            number += c;
        else if (c == u'.' && !point)
            point = true, number += c;
        else
            break;
    }
    return number.toDouble(); // "", "-" and "." give 0
}

} // namespace kv

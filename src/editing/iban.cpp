#include "editing/iban.h"

#include "editing/text.h"

namespace kv {

namespace {

// An IBAN as it is typed and shown, without the "." and blanks of its grouping.
QString compact(QStringView text)
{
    return text.toString().remove(u'.').remove(u' ');
}

} // namespace

std::optional<QString> lettersAsDigits(QStringView text)
{
    QString digits;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (isDigit(c))
            digits += c;
        else if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
            digits += QString::number((u | 0x20) - u'a' + 10);
        else if (u != u' ')
            return std::nullopt;
    }
    return digits;
}

bool IsGeldigIBAN(QStringView text)
{
    QString iban = text.toString().remove(u' ');
    if (iban.size() < 10)
        return false;
    for (QChar c : u"/:\\+-*")
        iban.remove(c);
    const auto digits = lettersAsDigits(QString(iban.mid(4) + iban.left(4)));
    return digits && ModuloGroot(*digits, 97) == 1;
}

int ModuloGroot(QStringView cijfers, int deler)
{
    if (deler < 1)
        return -1;
    // Digit by digit gives the same remainder as the suite's four-digits-at-a-time reduction,
    // for any divisor.
    qint64 remainder = 0;
    for (QChar c : cijfers) {
        if (c < u'0' || c > u'9')
            return -1;
        remainder = (remainder * 10 + (c.unicode() - u'0')) % deler;
    }
    return int(remainder);
}

QString IBANNaarRekeningnummer(QStringView iban)
{
    const QString text = compact(iban);
    if (!IsGeldigIBAN(text))
        return text;
    qsizetype start = text.size();
    while (start > 0 && isDigit(text[start - 1]))
        --start;
    return ZonderVoorloopNullen(text.mid(start));
}

QString IBANNaarBIC(QStringView iban)
{
    const QString text = compact(trimSpaces(iban));
    if (!IsGeldigIBAN(text))
        return {};
    qsizetype end = 4;
    while (end < text.size() && !isDigit(text[end]))
        ++end;
    return BankcodeNaarBIC(text, QStringView(text).mid(4, end - 4));
}

} // namespace kv

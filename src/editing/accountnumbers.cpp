#include "editing/accountnumbers.h"

#include "editing/iban.h"
#include "editing/numbers.h"

namespace kv {

namespace {

QString cleaned(QStringView rekening)
{
    return rekening.toString().remove(u' ').remove(u'.').remove(u'/').toUpper();
}

// Fills each "@" of the mask with the next character.
QString masked(QStringView text, QStringView mask)
{
    QString shown;
    qsizetype next = 0;
    for (QChar m : mask)
        shown += m == u'@' ? text[next++] : m;
    return shown;
}

bool elevenProof(QStringView digits)
{
    const QString ten = digits.toString().rightJustified(10, u'0');
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += (10 - i) * (ten[i].unicode() - u'0');
    return sum > 0 && sum % 11 == 0;
}

} // namespace

QString FormatRekeningnummer(QStringView rekening)
{
    const QString number = cleaned(rekening);
    if (number.size() == 9)
        return masked(number, u"@@.@@.@@.@@@");
    if (number.size() == 10)
        return masked(number, u"@@@@.@@@.@@@");
    if (number.size() < 9)
        return number;
    QString groups;
    for (qsizetype i = 0; i < number.size(); i += 4)
        groups += (i ? QStringLiteral(" ") : QString()) + number.mid(i, 4);
    return groups;
}

bool CheckRekeningnummer(QStringView rekening)
{
    const QString number = cleaned(rekening);
    if (number.size() < 9)
        return number.isEmpty() || IsNumeriek(number);
    if (IsGeldigIBAN(number))
        return true;
    return number.size() <= 10 && IsNumeriek(number) && elevenProof(number);
}

} // namespace kv

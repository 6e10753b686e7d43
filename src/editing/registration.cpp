#include "editing/registration.h"

#include "editing/iban.h"
#include "editing/numbers.h"
#include "editing/text.h"

namespace kv {

namespace {

int digitAt(QStringView digits, int i)
{
    return digits[i].unicode() - u'0';
}

bool elevenProof(QStringView digits)
{
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += (9 - i) * digitAt(digits, i);
    return sum % 11 == digitAt(digits, 8);
}

bool mod97(QStringView digits)
{
    if (digits.size() < 11)
        return false;
    const auto number = lettersAsDigits(QString(u"NL" + digits.left(9) + u'B' + digits.mid(9, 2)));
    return number && ModuloGroot(*number, 97) == 1;
}

} // namespace

bool CheckBtwNummer(QStringView btwNummer)
{
    const QString digits = AlleenCijfers(btwNummer);
    return digits.size() >= 9 && (elevenProof(digits) || mod97(digits));
}

bool CheckPostcode(QStringView postcode)
{
    const QString code = postcode.toString().remove(u' ');
    return code.size() == 6 && IsNumeriek(QStringView(code).left(4)) && !isDigit(code[4]) && !isDigit(code[5]);
}

QString FormatPostcode(QStringView postcode)
{
    const QString code = postcode.left(8).toString().remove(u' ');
    return CheckPostcode(code) ? code.left(4) + u' ' + code.mid(4) : code;
}

} // namespace kv

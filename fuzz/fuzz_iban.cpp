// IsGeldigIBAN, the registry advice beside it and the functions that read a valid IBAN: any
// changed digit is caught, the account number is digits, the advice is one of its two texts,
// and ModuloGroot agrees with the suite's four-digit reduction.
#include "editing/iban.h"
#include "editing/ibanregistry.h"
#include "editing/numbers.h"
#include "editing/text.h"
#include "fuzzing.h"

using namespace kv;

namespace {

// The reduction the suite has always used: the first four digits replaced by their remainder.
int fourDigitRemainder(QString digits, int divisor)
{
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    while (digits.size() >= 6)
        digits = QString::number(digits.left(4).toInt() % divisor) + digits.mid(4);
    return digits.toInt() % divisor;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);

    const QString digits = AlleenCijfers(input).left(400);
    const int divisor = size ? 1 + data[0] * 4 % 1000 : 97;
    fuzz::require(ModuloGroot(digits, divisor) == fourDigitRemainder(digits, divisor), "same remainder", digits);

    const QString advice = IBANAdvies(input);
    fuzz::require(advice.isEmpty() || advice.startsWith(u"Let op: een IBAN uit ")
                      || advice.startsWith(u"Let op: dit IBAN heeft niet de opbouw van "),
                  "advice is one of the two", advice);

    const QString account = IBANNaarRekeningnummer(input);
    const QString bic = IBANNaarBIC(input);
    // The BIC is read from the IBAN as it is shown, its grouping dots left out.
    fuzz::require(bic.isEmpty() || IsGeldigIBAN(QString(input).remove(u'.')), "no BIC without a valid IBAN", input);
    if (!IsGeldigIBAN(input))
        return 0;
    fuzz::require(account.isEmpty() || IsNumeriek(account), "account is digits", account);
    fuzz::require(bic.isEmpty() || bic.size() == 8, "BIC length", bic);
    // The check does not ask for a country or check digits: a text of letters alone can pass.
    const qsizetype at = std::find_if(input.begin(), input.end(), isDigit) - input.begin();
    if (at == input.size())
        return 0;
    QString changed = input;
    changed[at] = QChar(u'0' + (changed[at].unicode() - u'0' + 1) % 10);
    fuzz::require(!IsGeldigIBAN(changed), "a changed digit is caught", changed);
    return 0;
}

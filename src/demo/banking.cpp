#include "demo/banking.h"

#include "demo/generator.h"

namespace kv::demo {
namespace {

QString digits(QRandomGenerator &random, int count, bool leadingNonZero = false)
{
    QString s;
    s.reserve(count);
    for (int i = 0; i < count; ++i)
        s += QChar(u'0' + (i == 0 && leadingNonZero ? 1 + random.bounded(9) : random.bounded(10)));
    return s;
}

int digitAt(const QString &s, int i)
{
    return s[i].unicode() - u'0';
}

bool allDigits(QStringView s)
{
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return !s.isEmpty();
}

// The remainder modulo 97 of a text of digits and capitals, the letters counting as 10..35.
int mod97(QStringView text)
{
    int rest = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            rest = (rest * 10 + (u - u'0')) % 97;
        else if (u >= u'A' && u <= u'Z')
            rest = (rest * 100 + (u - u'A' + 10)) % 97;
        else
            return -1;
    }
    return rest;
}

QString ibanOf(const QString &country, const QString &bban)
{
    const int check = 98 - mod97(QString(bban + country + QStringLiteral("00")));
    return country + zeroFilled(check, 2) + bban;
}

// Dutch bank codes, the farmers' bank first: it holds most of the accounts.
const char *const kDutchBanks[] = {"RABO", "RABO", "RABO", "RABO", "INGB", "INGB", "ABNA", "ABNA",
                                   "SNSB", "TRIO", "ASNB", "KNAB", "BUNQ", "RBRB", "FVLB"};
const char *const kBelgianBanks[] = {"001", "068", "220", "310", "734", "751"};
const char *const kGermanBanks[] = {"28050100", "26550105", "28069956", "40351060", "28361592", "26250001"};

template <size_t N>
QString pickCode(QRandomGenerator &random, const char *const (&codes)[N])
{
    return QString::fromLatin1(codes[random.bounded(int(N))]);
}

// The 11-proof of a Dutch VAT number's digits: weights 9..2 and -1 for the last.
bool dutchElevenProof(const QString &nine)
{
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += digitAt(nine, i) * (9 - i);
    return (sum - digitAt(nine, 8)) % 11 == 0;
}

// ISO 7064 MOD 11,10 over the first eight digits gives the ninth.
int germanCheckDigit(const QString &eight)
{
    int product = 10;
    for (int i = 0; i < 8; ++i) {
        int sum = (digitAt(eight, i) + product) % 10;
        if (sum == 0)
            sum = 10;
        product = (2 * sum) % 11;
    }
    const int check = 11 - product;
    return check == 10 ? 0 : check;
}

} // namespace

QString makeDutchIban(QRandomGenerator &random, const QString &bankCode)
{
    const QString bank = bankCode.isEmpty() ? pickCode(random, kDutchBanks) : bankCode;
    for (;;) {
        // Ten digits whose weighted sum (weights 10..1) is a multiple of 11.
        const QString nine = digits(random, 9);
        int sum = 0;
        for (int i = 0; i < 9; ++i)
            sum += digitAt(nine, i) * (10 - i);
        const int last = (11 - sum % 11) % 11;
        if (last < 10)
            return ibanOf(QStringLiteral("NL"), bank + nine + QChar(u'0' + last));
    }
}

QString makeBelgianIban(QRandomGenerator &random)
{
    const QString ten = pickCode(random, kBelgianBanks) + digits(random, 7);
    const int check = int(ten.toLongLong() % 97);
    return ibanOf(QStringLiteral("BE"), ten + zeroFilled(check == 0 ? 97 : check, 2));
}

QString makeGermanIban(QRandomGenerator &random)
{
    return ibanOf(QStringLiteral("DE"), pickCode(random, kGermanBanks) + digits(random, 10, true));
}

QString dutchBankCode(const QString &iban)
{
    return iban.mid(4, 4);
}

QString makeDutchVatNumber(QRandomGenerator &random)
{
    for (;;) {
        const QString eight = digits(random, 8, true);
        int sum = 0;
        for (int i = 0; i < 8; ++i)
            sum += digitAt(eight, i) * (9 - i);
        if (sum % 11 < 10)
            return QStringLiteral("NL") + eight + QChar(u'0' + sum % 11) + QStringLiteral("B0")
                + QChar(u'1' + random.bounded(2));
    }
}

QString makeBelgianVatNumber(QRandomGenerator &random)
{
    const QString eight = QChar(u'0' + random.bounded(2)) + digits(random, 7, true);
    return QStringLiteral("BE") + eight + zeroFilled(97 - eight.toLongLong() % 97, 2);
}

QString makeGermanVatNumber(QRandomGenerator &random)
{
    const QString eight = digits(random, 8, true);
    return QStringLiteral("DE") + eight + QChar(u'0' + germanCheckDigit(eight));
}

bool vatNumberValid(const QString &vat)
{
    const QString country = vat.left(2), rest = vat.mid(2);
    if (country == u"NL")
        return rest.size() == 12 && allDigits(QStringView(rest).left(9)) && rest[9] == u'B'
            && allDigits(QStringView(rest).mid(10)) && rest.mid(10) != u"00" && dutchElevenProof(rest.left(9));
    if (country == u"BE")
        return rest.size() == 10 && allDigits(rest) && 97 - rest.left(8).toLongLong() % 97 == rest.mid(8).toInt();
    if (country == u"DE")
        return rest.size() == 9 && allDigits(rest) && rest[0] != u'0' && germanCheckDigit(rest) == digitAt(rest, 8);
    return false;
}

QString sepaCreditorId(const QString &nationalId)
{
    // The business code is left out of the check digits.
    const int check = 98 - mod97(QString(nationalId + QStringLiteral("NL00")));
    return QStringLiteral("NL") + zeroFilled(check, 2) + QStringLiteral("ZZZ") + nationalId;
}

QString makeKvkNumber(QRandomGenerator &random)
{
    return digits(random, 8, true);
}

} // namespace kv::demo

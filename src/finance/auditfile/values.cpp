#include "finance/auditfile/values.h"

#include "editing/amounts.h"
#include "editing/sepa.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace kv::finance::auditfile {

namespace {

// A number's cents as FormatBedrag rounds them: half away from zero on the shortest decimal
// text of the value (2.345 is 2.35, though the double is a hair below). Every ledger line
// passes here twice, so without building texts; nothing for values beyond 10^15.
std::optional<qint64> centenVanGetal(const QVariant &waarde)
{
    switch (waarde.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const qint64 v = waarde.toLongLong();
        if (v > 1'000'000'000'000'000 || v < -1'000'000'000'000'000)
            return std::nullopt;
        return v * 100;
    }
    case QMetaType::Double: {
        const double v = waarde.toDouble();
        if (!std::isfinite(v) || std::abs(v) >= 1e15)
            return std::nullopt;
        char tekst[64];
        const auto [einde, fout] = std::to_chars(tekst, tekst + sizeof tekst, std::abs(v), std::chars_format::fixed);
        if (fout != std::errc())
            return std::nullopt;
        qint64 cents = 0;
        int decimalen = -1; // digits read after the point
        bool omhoog = false;
        for (const char *c = tekst; c != einde; ++c) {
            if (*c == '.') {
                decimalen = 0;
            } else if (decimalen < 0 || decimalen < 2) {
                cents = cents * 10 + (*c - '0');
                if (decimalen >= 0)
                    ++decimalen;
            } else if (decimalen == 2) {
                omhoog = *c >= '5';
                ++decimalen;
            }
        }
        for (int d = std::max(decimalen, 0); d < 2; ++d)
            cents *= 10;
        cents += omhoog ? 1 : 0;
        return v < 0 ? -cents : cents;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

qint64 centenVan(Separators &separators, const QVariant &waarde)
{
    if (const std::optional<qint64> snel = centenVanGetal(waarde))
        return *snel;
    // Texts and very large values: FormatBedrag's own digits, without its separators.
    QString text = FormatBedrag(separators, waarde);
    text.remove(separators.DuizendTeken).remove(separators.DecimaalTeken);
    return text.toLongLong();
}

QString bedrag(Separators &separators, const QVariant &waarde)
{
    return bedragUitCenten(centenVan(separators, waarde));
}

qint64 centen(QStringView geschreven)
{
    QString digits = geschreven.toString();
    digits.remove(u'.');
    return digits.toLongLong();
}

QString bedragUitCenten(qint64 centen)
{
    return CentenTekst(centen, u'.');
}

QString datum(const QString &opgeslagen, const QString &adminJaar)
{
    if (opgeslagen.size() != 8)
        return adminJaar + u"-01-01"_s;
    const QStringView tekst(opgeslagen);
    const QStringView jaar = tekst.left(4).toInt() == 0 ? QStringView(adminJaar) : tekst.left(4);
    const QStringView maand = tekst.mid(4, 2).toInt() == 0 ? u"01" : tekst.mid(4, 2);
    const QStringView dag = tekst.mid(6, 2).toInt() == 0 ? u"01" : tekst.mid(6, 2);
    QString datum;
    datum.reserve(10);
    datum.append(jaar).append(u'-').append(maand).append(u'-').append(dag);
    return datum;
}

QString postcode(const QString &waarde)
{
    return waarde.toUpper().remove(u' ');
}

QString tekst(const QString &waarde, int maximum)
{
    return SepaTekst(waarde, maximum);
}

QString alsOpgeslagen(const QString &waarde)
{
    QString out;
    out.reserve(waarde.size());
    for (const QChar c : waarde) {
        switch (c.unicode()) {
        case u'&': out += u"&amp;"_s; break;
        case u'<': out += u"&lt;"_s; break;
        case u'>': out += u"&gt;"_s; break;
        default: out += c;
        }
    }
    return out;
}

QString journaalType(const QString &omschrijving)
{
    struct Rule {
        std::array<const char16_t *, 6> woorden; // unused places stay null
        const char16_t *type;
    };
    // First match wins, so "bankrekening inkoop" is a purchase journal.
    static const Rule rules[] = {
        {{u"inkoo"}, u"P"},
        {{u"verkoo"}, u"S"},
        {{u"memori"}, u"M"},
        {{u"beginbal"}, u"O"},
        {{u"kas"}, u"C"},
        {{u"bank", u"rekening", u"spaar", u"rabo", u"abn", u"skg"}, u"B"},
    };
    const QString lower = omschrijving.toLower();
    for (const Rule &rule : rules)
        for (const char16_t *woord : rule.woorden)
            if (woord && lower.contains(QStringView(woord)))
                return QString::fromUtf16(rule.type);
    return u"Z"_s;
}

bool isLandcode(QStringView code)
{
    static constexpr std::array<const char16_t *, 241> codes = {
        u"AD", u"AE", u"AF", u"AG", u"AI", u"AL", u"AM", u"AN", u"AO", u"AQ", u"AR", u"AS", u"AT", u"AU", u"AW",
        u"AZ", u"BA", u"BB", u"BD", u"BE", u"BF", u"BG", u"BH", u"BI", u"BJ", u"BM", u"BN", u"BO", u"BR", u"BS",
        u"BT", u"BV", u"BW", u"BY", u"BZ", u"CA", u"CC", u"CD", u"CF", u"CG", u"CH", u"CI", u"CK", u"CL", u"CM",
        u"CN", u"CO", u"CR", u"CS", u"CU", u"CV", u"CX", u"CY", u"CZ", u"DE", u"DJ", u"DK", u"DM", u"DO", u"DZ",
        u"EC", u"EE", u"EG", u"EH", u"ER", u"ES", u"ET", u"FI", u"FJ", u"FK", u"FM", u"FO", u"FR", u"GA", u"GB",
        u"GD", u"GE", u"GF", u"GH", u"GI", u"GL", u"GM", u"GN", u"GP", u"GQ", u"GR", u"GS", u"GT", u"GU", u"GW",
        u"GY", u"HK", u"HM", u"HN", u"HR", u"HT", u"HU", u"ID", u"IE", u"IL", u"IM", u"IN", u"IO", u"IQ", u"IR",
        u"IS", u"IT", u"JM", u"JO", u"JP", u"KE", u"KG", u"KH", u"KI", u"KM", u"KN", u"KP", u"KR", u"KW", u"KY",
        u"KZ", u"LA", u"LB", u"LC", u"LI", u"LK", u"LR", u"LS", u"LT", u"LU", u"LV", u"LY", u"MA", u"MC", u"MD",
        u"MG", u"MH", u"MK", u"ML", u"MM", u"MN", u"MO", u"MP", u"MQ", u"MR", u"MS", u"MT", u"MU", u"MV", u"MW",
        u"MX", u"MY", u"MZ", u"NA", u"NC", u"NE", u"NF", u"NG", u"NI", u"NL", u"NO", u"NP", u"NR", u"NU", u"NZ",
        u"OM", u"PA", u"PE", u"PF", u"PG", u"PH", u"PK", u"PL", u"PM", u"PN", u"PR", u"PS", u"PT", u"PW", u"PY",
        u"QA", u"RE", u"RO", u"RU", u"RW", u"SA", u"SB", u"SC", u"SD", u"SE", u"SG", u"SH", u"SI", u"SJ", u"SK",
        u"SL", u"SM", u"SN", u"SO", u"SR", u"ST", u"SV", u"SY", u"SZ", u"TC", u"TD", u"TF", u"TG", u"TH", u"TJ",
        u"TK", u"TL", u"TM", u"TN", u"TO", u"TR", u"TT", u"TV", u"TW", u"TZ", u"UA", u"UG", u"UK", u"UM", u"US",
        u"UY", u"UZ", u"VA", u"VC", u"VE", u"VG", u"VI", u"VN", u"VU", u"WF", u"WS", u"YE", u"YT", u"ZA", u"ZM",
        u"ZW",
    };
    // Sorted, so a binary search; the comparison is exact (callers upper-case first).
    return std::binary_search(codes.begin(), codes.end(), code,
                              [](auto a, auto b) { return QStringView(a) < QStringView(b); });
}

QString landcodeVan(const QString &omschrijving)
{
    return omschrijving.left(2).trimmed().toUpper();
}

} // namespace kv::finance::auditfile

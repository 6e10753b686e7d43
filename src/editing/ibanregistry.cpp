#include "editing/ibanregistry.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kv {

namespace {

// The countries of the ISO 13616 IBAN registry: code, name, IBAN length, BBAN shape.
const std::vector<IbanLand> kRegister = {
    {u"AD", u"Andorra"_s,                     24, u"4!n4!n12!c"},
    {u"AE", u"Verenigde Arabische Emiraten"_s, 23, u"3!n16!n"},
    {u"AL", u"Albanië"_s,                     28, u"8!n16!c"},
    {u"AT", u"Oostenrijk"_s,                  20, u"5!n11!n"},
    {u"AZ", u"Azerbeidzjan"_s,                28, u"4!a20!c"},
    {u"BA", u"Bosnië en Herzegovina"_s,       20, u"3!n3!n8!n2!n"},
    {u"BE", u"België"_s,                      16, u"3!n7!n2!n"},
    {u"BG", u"Bulgarije"_s,                   22, u"4!a4!n2!n8!c"},
    {u"BH", u"Bahrein"_s,                     22, u"4!a14!c"},
    {u"BI", u"Burundi"_s,                     27, u"5!n5!n11!n2!n"},
    {u"BR", u"Brazilië"_s,                    29, u"8!n5!n10!n1!a1!c"},
    {u"BY", u"Belarus"_s,                     28, u"4!c4!n16!c"},
    {u"CH", u"Zwitserland"_s,                 21, u"5!n12!c"},
    {u"CR", u"Costa Rica"_s,                  22, u"4!n14!n"},
    {u"CY", u"Cyprus"_s,                      28, u"3!n5!n16!c"},
    {u"CZ", u"Tsjechië"_s,                    24, u"4!n6!n10!n"},
    {u"DE", u"Duitsland"_s,                   22, u"8!n10!n"},
    {u"DJ", u"Djibouti"_s,                    27, u"5!n5!n11!n2!n"},
    {u"DK", u"Denemarken"_s,                  18, u"4!n9!n1!n"},
    {u"DO", u"Dominicaanse Republiek"_s,      28, u"4!c20!n"},
    {u"EE", u"Estland"_s,                     20, u"2!n14!n"},
    {u"EG", u"Egypte"_s,                      29, u"4!n4!n17!n"},
    {u"ES", u"Spanje"_s,                      24, u"4!n4!n1!n1!n10!n"},
    {u"FI", u"Finland"_s,                     18, u"3!n11!n"},
    {u"FK", u"Falklandeilanden"_s,            18, u"2!a12!n"},
    {u"FO", u"Faeröer"_s,                     18, u"4!n9!n1!n"},
    {u"FR", u"Frankrijk"_s,                   27, u"5!n5!n11!c2!n"},
    {u"GB", u"Verenigd Koninkrijk"_s,         22, u"4!a6!n8!n"},
    {u"GE", u"Georgië"_s,                     22, u"2!a16!n"},
    {u"GI", u"Gibraltar"_s,                   23, u"4!a15!c"},
    {u"GL", u"Groenland"_s,                   18, u"4!n9!n1!n"},
    {u"GR", u"Griekenland"_s,                 27, u"3!n4!n16!c"},
    {u"GT", u"Guatemala"_s,                   28, u"4!c20!c"},
    {u"HN", u"Honduras"_s,                    28, u"4!a20!n"},
    {u"HR", u"Kroatië"_s,                     21, u"7!n10!n"},
    {u"HU", u"Hongarije"_s,                   28, u"3!n4!n1!n15!n1!n"},
    {u"IE", u"Ierland"_s,                     22, u"4!a6!n8!n"},
    {u"IL", u"Israël"_s,                      23, u"3!n3!n13!n"},
    {u"IQ", u"Irak"_s,                        23, u"4!a3!n12!n"},
    {u"IS", u"IJsland"_s,                     26, u"4!n2!n6!n10!n"},
    {u"IT", u"Italië"_s,                      27, u"1!a5!n5!n12!c"},
    {u"JO", u"Jordanië"_s,                    30, u"4!a4!n18!c"},
    {u"KW", u"Koeweit"_s,                     30, u"4!a22!c"},
    {u"KZ", u"Kazachstan"_s,                  20, u"3!n13!c"},
    {u"LB", u"Libanon"_s,                     28, u"4!n20!c"},
    {u"LC", u"Saint Lucia"_s,                 32, u"4!a24!c"},
    {u"LI", u"Liechtenstein"_s,               21, u"5!n12!c"},
    {u"LT", u"Litouwen"_s,                    20, u"5!n11!n"},
    {u"LU", u"Luxemburg"_s,                   20, u"3!n13!c"},
    {u"LV", u"Letland"_s,                     21, u"4!a13!c"},
    {u"LY", u"Libië"_s,                       25, u"3!n3!n15!n"},
    {u"MC", u"Monaco"_s,                      27, u"5!n5!n11!c2!n"},
    {u"MD", u"Moldavië"_s,                    24, u"2!c18!c"},
    {u"ME", u"Montenegro"_s,                  22, u"3!n13!n2!n"},
    {u"MK", u"Noord-Macedonië"_s,             19, u"3!n10!c2!n"},
    {u"MN", u"Mongolië"_s,                    20, u"4!n12!n"},
    {u"MR", u"Mauritanië"_s,                  27, u"5!n5!n11!n2!n"},
    {u"MT", u"Malta"_s,                       31, u"4!a5!n18!c"},
    {u"MU", u"Mauritius"_s,                   30, u"4!a2!n2!n12!n3!n3!a"},
    {u"NI", u"Nicaragua"_s,                   28, u"4!a20!n"},
    {u"NL", u"Nederland"_s,                   18, u"4!a10!n"},
    {u"NO", u"Noorwegen"_s,                   15, u"4!n6!n1!n"},
    {u"OM", u"Oman"_s,                        23, u"3!n16!c"},
    {u"PK", u"Pakistan"_s,                    24, u"4!a16!c"},
    {u"PL", u"Polen"_s,                       28, u"8!n16!n"},
    {u"PS", u"Palestina"_s,                   29, u"4!a21!c"},
    {u"PT", u"Portugal"_s,                    25, u"4!n4!n11!n2!n"},
    {u"QA", u"Qatar"_s,                       29, u"4!a21!c"},
    {u"RO", u"Roemenië"_s,                    24, u"4!a16!c"},
    {u"RS", u"Servië"_s,                      22, u"3!n13!n2!n"},
    {u"RU", u"Rusland"_s,                     33, u"9!n5!n15!c"},
    {u"SA", u"Saoedi-Arabië"_s,               24, u"2!n18!c"},
    {u"SC", u"Seychellen"_s,                  31, u"4!a2!n2!n16!n3!a"},
    {u"SD", u"Soedan"_s,                      18, u"2!n12!n"},
    {u"SE", u"Zweden"_s,                      24, u"3!n16!n1!n"},
    {u"SI", u"Slovenië"_s,                    19, u"5!n8!n2!n"},
    {u"SK", u"Slowakije"_s,                   24, u"4!n6!n10!n"},
    {u"SM", u"San Marino"_s,                  27, u"1!a5!n5!n12!c"},
    {u"SO", u"Somalië"_s,                     23, u"4!n3!n12!n"},
    {u"ST", u"Sao Tomé en Principe"_s,        25, u"8!n11!n2!n"},
    {u"SV", u"El Salvador"_s,                 28, u"4!a20!n"},
    {u"TL", u"Oost-Timor"_s,                  23, u"3!n14!n2!n"},
    {u"TN", u"Tunesië"_s,                     24, u"2!n3!n13!n2!n"},
    {u"TR", u"Turkije"_s,                     26, u"5!n1!n16!c"},
    {u"UA", u"Oekraïne"_s,                    29, u"6!n19!c"},
    {u"VA", u"Vaticaanstad"_s,                22, u"3!n15!n"},
    {u"VG", u"Britse Maagdeneilanden"_s,      24, u"4!c16!n"},
    {u"XK", u"Kosovo"_s,                      20, u"4!n10!n2!n"},
    {u"YE", u"Jemen"_s,                       30, u"4!a4!n18!c"},
};

// "4!a10!n" as a pattern: n digits, a capitals, c letters and digits, each "!" a fixed count.
QRegularExpression patroon(QStringView opbouw)
{
    static const QRegularExpression deel(u"(\\d+)!([nac])"_s);
    QString regex = u"^[A-Z]{2}[0-9]{2}"_s;
    for (const auto &m : deel.globalMatch(opbouw)) {
        const QChar soort = m.capturedView(2).front();
        regex += soort == u'n' ? u"[0-9]"_s : soort == u'a' ? u"[A-Z]"_s : u"[A-Za-z0-9]"_s;
        regex += u'{' + m.captured(1) + u'}';
    }
    return QRegularExpression(regex + u'$');
}

} // namespace

const std::vector<IbanLand> &ibanRegister()
{
    return kRegister;
}

const IbanLand *ibanLand(QStringView landcode)
{
    for (const IbanLand &land : kRegister)
        if (landcode.compare(land.code, Qt::CaseInsensitive) == 0)
            return &land;
    return nullptr;
}

QString IBANAdvies(QStringView iban)
{
    // Read as IsGeldigIBAN reads it: its grouping and the characters it ignores do not count.
    QString tekst = iban.toString().remove(u'.').toUpper();
    for (QChar c : QStringView(u" /:\\+-*"))
        tekst.remove(c);
    const IbanLand *land = tekst.size() >= 2 ? ibanLand(QStringView(tekst).left(2)) : nullptr;
    if (!land)
        return {};
    if (tekst.size() != land->lengte)
        return u"Let op: een IBAN uit "_s + land->naam + u" heeft "_s + QString::number(land->lengte) + u" tekens."_s;
    if (!patroon(land->opbouw).match(tekst).hasMatch())
        return u"Let op: dit IBAN heeft niet de opbouw van "_s + land->naam + u"."_s;
    return {};
}

} // namespace kv

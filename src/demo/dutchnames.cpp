#include "demo/dutchnames.h"

#include "demo/generator.h"

#include <QRegularExpression>

namespace kv::demo {
namespace {

const char *const kFirstNames[] = {
    "Jan", "Gerrit", "Hendrik", "Albert", "Harm", "Jannes", "Klaas", "Roelof", "Bert", "Geert",
    "Henk", "Johan", "Marco", "Erik", "Dirk", "Wim", "Arjan", "Bas", "Ruud", "Sander",
    "Anna", "Gerda", "Janny", "Hilde", "Marieke", "Ingrid", "Wilma", "Annet", "Esther", "Linda",
    "Karin", "Femke", "Sanne", "Lotte", "Ria", "Truus", "Hennie", "Jolanda", "Mirjam", "Ellen"};

// Prefix and surname; the prefix is empty for most names.
const char *const kSurnames[][2] = {
    {"", "Jansen"}, {"de", "Vries"}, {"van den", "Berg"}, {"", "Bosman"}, {"ten", "Brinke"},
    {"", "Wolters"}, {"", "Hulsman"}, {"", "Kuipers"}, {"", "Mulder"}, {"", "Westerhof"},
    {"", "Bakker"}, {"", "Meijer"}, {"", "Schuurman"}, {"van der", "Veen"}, {"", "Kamphuis"},
    {"", "Nijland"}, {"", "Hofstede"}, {"", "Dijkstra"}, {"", "Huisman"}, {"", "Lammers"},
    {"", "Oosterhuis"}, {"ter", "Horst"}, {"", "Boerma"}, {"", "Zwiers"}, {"", "Eshuis"},
    {"", "Hendriks"}, {"", "Haverkamp"}, {"van", "Dam"}, {"", "Smit"}, {"", "Post"},
    {"", "Bruins"}, {"", "Weggeman"}, {"", "Slot"}, {"", "Brouwer"}, {"de", "Boer"},
    {"", "Schipper"}, {"", "Kroeze"}, {"", "Klein Gunnewiek"}, {"", "Nijenhuis"}, {"", "Vos"},
    {"", "Koopman"}, {"", "Rozendaal"}, {"van", "Dijk"}, {"", "Bouwmeester"}, {"", "Visscher"},
    {"", "Timmerman"}, {"de", "Jong"}, {"", "Hoekstra"}, {"", "Pieters"}, {"", "Stegeman"},
    {"", "Olthof"}, {"", "Reinders"}, {"", "Lubbers"}, {"", "Hesselink"}, {"van", "Os"},
    {"", "Grootenhuis"}, {"", "Wessels"}, {"in 't", "Veld"}, {"op de", "Weegh"}, {"", "Mensink"}};

const char *const kStreets[] = {
    "Hoofdweg", "Kerkstraat", "Dorpsstraat", "Molenweg", "Beukenlaan", "Esweg", "Zuiderweg",
    "Oude Dijk", "Veenweg", "Hessenweg", "Kanaalweg", "Middendijk", "Noorderes", "Akkerweg",
    "Haarweg", "Stationsweg", "Schoolstraat", "Markeweg", "Bergweg", "Oosterveldweg",
    "Broekweg", "Lindelaan", "Boslaan", "Hooilandweg", "Ganzenpoel", "Koeweide", "Zandweg",
    "Kampweg", "Hengelosestraat", "Vechtdijk", "Slingerweg", "Polderweg", "Tolhuisweg",
    "Wierdenseweg", "Grote Esch", "Eikenlaan", "Brinkweg", "Bouwlandseweg", "Vennebroek", "Meidijk"};

const char *const kGermanStreets[] = {"Hauptstraße", "Dorfstraße", "Kirchweg", "Feldweg", "Mühlenstraße",
                                      "Lindenallee", "Bauerschaft", "Am Esch"};
const char *const kBelgianStreets[] = {"Kerkstraat", "Dorpsstraat", "Steenweg", "Molenstraat", "Veldstraat",
                                       "Hoevestraat", "Kapelweg", "Boerenkrijglaan"};

struct Place {
    const char *country;
    const char *name;
    int postcode;         // the lowest of its range
    int range;            // postcodes in use from `postcode` on
    const char *areaCode; // telephone
};

const Place kPlaces[] = {
    {"NL", "Ommen", 7731, 5, "0529"},       {"NL", "Dalfsen", 7721, 2, "0529"},
    {"NL", "Hardenberg", 7771, 4, "0523"},  {"NL", "Emmen", 7811, 15, "0591"},
    {"NL", "Coevorden", 7741, 2, "0524"},   {"NL", "Hoogeveen", 7901, 9, "0528"},
    {"NL", "Meppel", 7941, 4, "0522"},      {"NL", "Zwolle", 8011, 30, "038"},
    {"NL", "Kampen", 8261, 5, "038"},       {"NL", "Dronten", 8251, 4, "0321"},
    {"NL", "Emmeloord", 8301, 5, "0527"},   {"NL", "Lelystad", 8211, 14, "0320"},
    {"NL", "Assen", 9401, 8, "0592"},       {"NL", "Veendam", 9641, 5, "0598"},
    {"NL", "Stadskanaal", 9501, 3, "0599"}, {"NL", "Winschoten", 9671, 4, "0597"},
    {"NL", "Dokkum", 9101, 3, "0519"},      {"NL", "Sneek", 8601, 5, "0515"},
    {"NL", "Heerenveen", 8441, 7, "0513"},  {"NL", "Raalte", 8101, 3, "0572"},
    {"NL", "Deventer", 7411, 19, "0570"},   {"NL", "Lochem", 7241, 2, "0573"},
    {"NL", "Winterswijk", 7101, 7, "0543"}, {"NL", "Doetinchem", 7001, 9, "0314"},
    {"NL", "Barneveld", 3771, 4, "0342"},   {"NL", "Ede", 6711, 8, "0318"},
    {"NL", "Tiel", 4001, 7, "0344"},        {"NL", "Zeewolde", 3891, 6, "036"},
    {"NL", "Middenmeer", 1775, 1, "0227"},  {"NL", "Schagen", 1741, 2, "0224"},
    {"NL", "Goes", 4461, 5, "0113"},        {"NL", "Zierikzee", 4301, 2, "0111"},
    {"NL", "Roosendaal", 4701, 9, "0165"},  {"NL", "Dinteloord", 4671, 1, "0167"},
    {"NL", "Oss", 5341, 9, "0412"},         {"NL", "Boxmeer", 5831, 2, "0485"},
    {"NL", "Venray", 5801, 4, "0478"},      {"NL", "Weert", 6001, 6, "0495"},
    {"NL", "Nijverdal", 7441, 3, "0548"},   {"NL", "Almelo", 7601, 9, "0546"},
    {"NL", "Vriezenveen", 7671, 2, "0546"}, {"NL", "Staphorst", 7951, 1, "0522"},
    {"NL", "Nieuwleusen", 7711, 1, "0529"}, {"NL", "Balkbrug", 7707, 1, "0523"},
    {"BE", "Hoogstraten", 2320, 1, "03"},   {"BE", "Tielt", 8700, 1, "051"},
    {"BE", "Roeselare", 8800, 1, "051"},    {"BE", "Geel", 2440, 1, "014"},
    {"DE", "Nordhorn", 48527, 3, "05921"},  {"DE", "Lingen (Ems)", 49808, 4, "0591"},
    {"DE", "Meppen", 49716, 1, "05931"},    {"DE", "Bad Bentheim", 48455, 1, "05922"},
    {"DE", "Vechta", 49377, 1, "04441"}};

template <typename T, size_t N>
const T &pickOf(QRandomGenerator &random, const T (&list)[N])
{
    return list[random.bounded(int(N))];
}

QString latin(const char *text)
{
    return QString::fromUtf8(text);
}

// Letters of Dutch postcodes: F, I, O, Q, U and Y are not used, nor SA, SD and SS.
QString postcodeLetters(QRandomGenerator &random)
{
    static const QString letters = QStringLiteral("ABCDEGHJKLMNPRSTVWXZ");
    for (;;) {
        QString pair(2, letters[random.bounded(int(letters.size()))]);
        pair[1] = letters[random.bounded(int(letters.size()))];
        if (pair != u"SA" && pair != u"SD" && pair != u"SS")
            return pair;
    }
}

QString houseNumber(QRandomGenerator &random)
{
    QString number = QString::number(1 + random.bounded(random.bounded(8) == 0 ? 250 : 60));
    if (random.bounded(12) == 0)
        number += QChar(u'a' + random.bounded(3));
    return number;
}

// A subscriber number of `digits` digits; they never start with 0 or 1.
QString subscriber(QRandomGenerator &random, int digits)
{
    QString number = QString::number(2 + random.bounded(8));
    while (number.size() < digits)
        number += QChar(u'0' + random.bounded(10));
    return number;
}

} // namespace

QString Person::surnameWithPrefix() const
{
    return prefix.isEmpty() ? surname : prefix + u' ' + surname;
}

QString Person::shortName() const
{
    return initials + u' ' + surnameWithPrefix();
}

QString Person::fullName() const
{
    return firstName + u' ' + surnameWithPrefix();
}

Person makePerson(QRandomGenerator &random)
{
    Person p;
    p.firstName = latin(pickOf(random, kFirstNames));
    p.initials = p.firstName.left(1) + u'.';
    if (random.bounded(3) == 0)
        p.initials += QString(QChar(u'A' + random.bounded(26))) + u'.';
    const auto &surname = pickOf(random, kSurnames);
    p.prefix = latin(surname[0]);
    p.surname = latin(surname[1]);
    return p;
}

Address makeAddress(QRandomGenerator &random, const QString &country)
{
    const Place *place = nullptr;
    do
        place = &pickOf(random, kPlaces);
    while (country != QLatin1String(place->country));

    Address a;
    a.country = country;
    a.place = latin(place->name);
    a.houseNumber = houseNumber(random);
    const int postcode = place->postcode + random.bounded(place->range);
    if (country == u"NL") {
        a.street = latin(pickOf(random, kStreets));
        a.postcode = QString::number(postcode) + postcodeLetters(random);
        a.phone = QLatin1String(place->areaCode) + u'-' + subscriber(random, 10 - int(strlen(place->areaCode)));
    } else {
        a.street = latin(country == u"DE" ? pickOf(random, kGermanStreets) : pickOf(random, kBelgianStreets));
        a.postcode = QString::number(postcode);
        const QString prefix = country == u"DE" ? QStringLiteral("+49 ") : QStringLiteral("+32 ");
        a.phone = prefix + QLatin1String(place->areaCode).mid(1) + u' ' + subscriber(random, 6);
    }
    return a;
}

QString makeCompanyName(QRandomGenerator &random, Trade trade, const Person &owner, const Address &address)
{
    static const char *const customers[] = {
        "Akkerbouwbedrijf %1", "Maatschap %1", "Melkveebedrijf %1", "Loonbedrijf %1 B.V.",
        "V.O.F. %1", "Mts. %1", "Landbouwbedrijf %1", "Varkenshouderij %1", "Pluimveebedrijf %1",
        "Akkerbouw %1", "%1 Agrarische Handel B.V.", "Melkveehouderij %1 V.O.F."};
    static const char *const suppliers[] = {
        "Graanhandel %2 B.V.", "Mengvoeders %2 B.V.", "Kunstmesthandel %1", "Brandstoffen %1 & Zn.",
        "Zaadteelt %1", "Transportbedrijf %1 B.V.", "Pootgoedhandel %2", "Agrarische Toelevering %2",
        "Loon- en Grondverzet %1", "Tankstation %1", "Droogbedrijf %2 B.V.", "Agrotechniek %2"};
    const char *pattern = trade == Trade::Customer ? pickOf(random, customers) : pickOf(random, suppliers);
    QString name = latin(pattern);
    if (name.contains(u"%1"))
        name = name.arg(owner.surnameWithPrefix().left(1).toUpper() + owner.surnameWithPrefix().mid(1));
    return name.replace(QStringLiteral("%2"), address.place);
}

QString domainOf(const QString &companyName, const QString &country)
{
    static const QRegularExpression forms(QStringLiteral("\\bB\\.V\\.|\\bV\\.O\\.F\\.|\\bMts\\.|& Zn\\."));
    static const QRegularExpression other(QStringLiteral("[^a-z0-9]"));
    QString base = QString(companyName).remove(forms).toLower();
    base = base.normalized(QString::NormalizationForm_D).remove(other);
    return base + u'.' + (country == u"NL" ? QStringLiteral("nl") : country.toLower());
}

} // namespace kv::demo

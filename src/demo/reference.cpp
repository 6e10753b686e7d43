#include "demo/steps.h"

namespace kv::demo {
namespace {

struct Currency {
    const char *code, *country, *name;
    qint64 rateCents; // units for one euro, in hundredths
};

const Currency kCurrencies[] = {
    {"EUR", "Europese Unie", "Euro", 100},
    {"USD", "Verenigde Staten", "Amerikaanse dollar", 108},
    {"GBP", "Verenigd Koninkrijk", "Brits pond", 85},
    {"CHF", "Zwitserland", "Zwitserse frank", 94},
    {"DKK", "Denemarken", "Deense kroon", 746},
    {"SEK", "Zweden", "Zweedse kroon", 1120},
    {"NOK", "Noorwegen", "Noorse kroon", 1160},
    {"PLN", "Polen", "Poolse zloty", 430},
    {"CZK", "Tsjechië", "Tsjechische kroon", 2510},
    {"HUF", "Hongarije", "Hongaarse forint", 39500},
};

struct CustomsOffice {
    const char *iso, *name, *english, *description, *details;
};

const CustomsOffice kCustomsOffices[] = {
    {"NL", "Douane Rotterdam Haven", "Customs Rotterdam Port", "Kantoor van uitgang zeevaart", "Maasvlakte en Botlek"},
    {"NL", "Douane Amsterdam Haven", "Customs Amsterdam Port", "Kantoor van uitgang zeevaart", ""},
    {"NL", "Douane Schiphol Cargo", "Customs Schiphol Cargo", "Kantoor van uitgang luchtvracht", "24 uur per dag open"},
    {"NL", "Douane Venlo", "Customs Venlo", "Kantoor van invoer en uitvoer", "Aangifte vooraf per e-mail"},
    {"NL", "Douane Hengelo", "Customs Hengelo", "Kantoor van invoer en uitvoer", "Ma-vr 08:00-17:00"},
    {"NL", "Douane Groningen", "Customs Groningen", "Kantoor van invoer en uitvoer", "Ook Eemshaven"},
    {"NL", "Douane Eindhoven", "Customs Eindhoven", "Kantoor van invoer en uitvoer", ""},
    {"NL", "Douane Breda", "Customs Breda", "Kantoor van invoer en uitvoer", "Moerdijk en Roosendaal"},
    {"DE", "Zollamt Nordhorn", "Customs office Nordhorn", "Zollamt", "Grenzübergang Denekamp"},
    {"DE", "Zollamt Emmerich", "Customs office Emmerich", "Zollamt", "Autobahn A3"},
    {"DE", "Zollamt Bad Bentheim", "Customs office Bad Bentheim", "Zollamt", "Autobahn A30"},
    {"BE", "Douanekantoor Antwerpen", "Customs Antwerp", "Kantoor van uitgang zeevaart", "Haven Antwerpen-Brugge"},
    {"BE", "Douanekantoor Hasselt", "Customs Hasselt", "Kantoor van invoer en uitvoer", ""},
    {"FR", "Bureau de douane de Dunkerque", "Customs Dunkirk", "Kantoor van uitgang zeevaart", ""},
};

struct UnNumber {
    int number;
    const char *name;
};

const UnNumber kUnNumbers[] = {
    {1005, "Ammoniak, watervrij"},
    {1075, "Petroleumgassen, vloeibaar gemaakt"},
    {1202, "Dieselolie of gasolie of stookolie, licht"},
    {1203, "Benzine"},
    {1942, "Ammoniumnitraat"},
    {1965, "Koolwaterstofgas, mengsel, vloeibaar gemaakt, n.e.g. (propaan)"},
    {2067, "Ammoniumnitraathoudende meststoffen"},
    {3077, "Milieugevaarlijke stof, vast, n.e.g."},
    {3082, "Milieugevaarlijke stof, vloeibaar, n.e.g."},
};

// data/landen.tsv: alpha-2, alpha-3, numeric, name, official name, English name, continent,
// telephone country code, languages.
void writeCountries(Generator &gen)
{
    const QStringList lines = dataFile(QStringLiteral("landen.tsv"));
    Rows rows(gen.main, QStringLiteral("Landen"));
    gen.inBatches(gen.main, lines.size(), [&](qint64 i) {
        const QStringList f = lines[int(i)].split(u'\t');
        rows.add()
            .set(u"ISO", f[0])
            .set(u"TweeLetterig", f[0])
            .set(u"Land", f[3])
            .set(u"LandOfficieelNL", f[4])
            .set(u"LandOfficieel", f[4])
            .set(u"LandEngels", f[5])
            .set(u"WereldDeel", f[6])
            .set(u"LandCodeTel", QStringLiteral("+") + f[7])
            .set(u"Taal", f.value(8).replace(u';', QStringLiteral(", ")))
            .post();
    });
}

void writeCurrencies(Generator &gen)
{
    Rows rows(gen.main, QStringLiteral("ValutaTabel"));
    gen.inBatches(gen.main, std::size(kCurrencies), [&](qint64 i) {
        const Currency &c = kCurrencies[i];
        rows.add()
            .set(u"Valutacode", QString::fromLatin1(c.code))
            .set(u"valutaland", QString::fromUtf8(c.country))
            .set(u"ValutaMunt", QString::fromUtf8(c.name))
            .amount(u"valutakoers", c.rateCents)
            .date(u"koersdatum", QDate(gen.year, 1, 2))
            .set(u"valutadecimalen", 2)
            .set(u"valutavolgnr", int(i + 1))
            .post();
    });
}

void writeCustomsOffices(Generator &gen)
{
    Rows rows(gen.main, QStringLiteral("DouaneKantoren"));
    gen.inBatches(gen.main, std::size(kCustomsOffices), [&](qint64 i) {
        const CustomsOffice &c = kCustomsOffices[i];
        rows.add()
            .set(u"ISO", QString::fromLatin1(c.iso))
            .set(u"Naam", QString::fromUtf8(c.name))
            .set(u"NaamEngels", QString::fromUtf8(c.english))
            .set(u"Omschrijving", QString::fromUtf8(c.description))
            .set(u"Bijzonderheden", QString::fromUtf8(c.details))
            .post();
    });
}

void writeUnNumbers(Generator &gen)
{
    Rows rows(gen.main, QStringLiteral("UNnummers"));
    gen.inBatches(gen.main, std::size(kUnNumbers), [&](qint64 i) {
        rows.add().set(u"UNnummer", kUnNumbers[i].number).set(u"BenamingNL", QString::fromUtf8(kUnNumbers[i].name)).post();
    });
}

} // namespace

void writeReferenceData(Generator &gen)
{
    writeCountries(gen);
    writeCurrencies(gen);
    writeCustomsOffices(gen);
    writeUnNumbers(gen);
}

} // namespace kv::demo

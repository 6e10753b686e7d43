#include "cemetery/settings.h"

#include "editing/options/rows.h"

using namespace Qt::StringLiterals;

namespace kv::cemetery {

using namespace options::rows;

options::OptionScreen settings()
{
    Option term = field(0, u"Standaard huurtermijn:"_s, Place::UserGegevens, u"HuurTermijn"_s);
    term.note = u"jaren"_s;
    options::OptionScreen screen{u"frmBGA"_s, u"Begraafplaats administratie"_s, {}, {
        term,
        leadingNumber(1, u"Aantal vakjes horizontaal"_s, u"MatrixHorizontaal"_s),
        leadingNumber(2, u"Aantal vakjes verticaal"_s,   u"MatrixVerticaal"_s),
        dbToggle(0, u"Eenvoudig (beknopt) relatiescherm gebruiken"_s,                              u"bgascherm"_s),
        dbToggle(1, u"Graflocaties kunnen gesplitst worden ( rij-, paal- en grafnnummer )"_s,      u"GrafSplitsen"_s),
        heading(u"Kleurgebruik in matrix"_s),
    }};
    const std::pair<const char16_t *, const char16_t *> colours[] = {
        {u"Grafaanduiding", u"KleurGraf"},        {u"Paden", u"KleurPad"},
        {u"Urnen / colombarium", u"KleurUrn"},    {u"Strooiveld", u"KleurStrooiveld"},
        {u"Hagen", u"KleurHagen"},                {u"Uitgegeven graf", u"KleurUitgegeven"},
        {u"Vrij graf", u"KleurVrij"},             {u"Te ruimen graf", u"KleurRuimen"},
        {u"Gereserveerd graf", u"KleurGereserveerd"},
    };
    int n = 0;
    for (const auto &[caption, name] : colours)
        screen.options.push_back(colour(n++, QString::fromUtf16(caption), Place::UserGegevens, QString::fromUtf16(name)));
    return screen;
}

} // namespace kv::cemetery

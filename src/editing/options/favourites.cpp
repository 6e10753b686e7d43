#include "editing/options/favourites.h"

using namespace Qt::StringLiterals;

namespace kv::options {

OptionScreen favourites()
{
    // The functions the bar can hold: key and caption.
    static const std::pair<const char16_t *, const char16_t *> catalogue[] = {
        {u"relatie", u"Relatiebeheer"},
        {u"weegbrug", u"Weegbrug"},
        {u"orders", u"Invoeren orders"},
        {u"ordersoverzicht", u"Overzicht orders"},
        {u"bunkers", u"Bunkers en aanvoerlijnen"},
        {u"orderverwerking", u"Order verwerking"},
        {u"inkoopcontracten", u"Inkoopcontracten"},
        {u"aanvoerafvoer", u"Aanvoer & Afvoer"},
        {u"overzichtfacturerenorders", u"Te factureren orders"},
        {u"facturerenorders", u"Factureren"},
        {u"reldashboard", u"Relatie dashboard"},
        {u"voorplanning", u"Voorplanning"},
        {u"planning", u"Planbord"},
        {u"dagafschrift", u"Dagafschrift verwerken"},
        {u"goederenstroom", u"Goederenstroom"},
        {u"voorkoop", u"Voorkoopcontracten"},
        {u"afsluiten", u"Afsluiten"},
        {u"nieuweopdracht", u"Nieuwe opdracht"},
    };
    Option picks{u"lijst"_s, {}, Control::Picks, Place::Registry, u"Favorieten_Items"_s, Encoding::Keys};
    for (const auto &[key, caption] : catalogue) {
        picks.values << QString::fromUtf16(key);
        picks.items << QString::fromUtf16(caption);
    }
    OptionScreen screen{u"frmFavorieten"_s, u"Favorieten"_s,
                        u"Kies welke functies de favorietenbalk toont, en in welke volgorde. "
                        u"De keuze wordt opgeslagen wanneer u het scherm verlaat."_s,
                        {{u"switch"_s, u"Favorietenbalk weergeven"_s, Control::Toggle, Place::Registry,
                          u"DisplayFavourites"_s, Encoding::RegOne10},
                         picks}};
    screen.saveOnLeave = true;
    return screen;
}

} // namespace kv::options

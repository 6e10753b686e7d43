#include "editing/listdetail/members/members.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

// Bunkers, silos and supply lines; the lot in it is its purchase number and name.
Member bunkersMember()
{
    return {
        .screen = u"frmBunkers"_s,
        .popup = u"frmBunkersPopup"_s,
        .caption = u"Bunker"_s,
        .table = u"Bunkers"_s,
        .key = u"BunkerID"_s,
        .columns = {
            {u"Type"_s,          u"BunkerType"_s},
            {u"Status"_s,        u"BunkerStatus"_s},
            {u"Naam / nummer"_s, u"BunkerNaam"_s},
            {u"Extra"_s,         u"BunkerExtraOmschrijving"_s},
            {u"Partijnr"_s,      u"InkoopNr"_s},
            {u"Partijnaam"_s,    u"BunkerHuidigePartijNaam"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde bunker wilt verwijderen?"_s,
        .fields = {
            {u"BunkerNaam"_s,              u"Naam / nummer"_s},
            {u"BunkerExtraOmschrijving"_s, u"Extra omschrijving"_s},
            {u"BunkerType"_s,              u"Type"_s, Kind::Text, {}, false, {u"Bunker"_s, u"Silo"_s, u"Aanvoerlijn"_s}},
            {u"BunkerStatus"_s,            u"Status"_s},
            {u"BunkerLoods"_s,             u"Loods (code)"_s,     Kind::Number},
            {u"InkoopNr"_s,                u"Partijnummer"_s},
            {u"BunkerHuidigePartijNaam"_s, u"Partijnaam"_s},
            {u"DateTimeGevuld"_s,          u"Gevuld op"_s,        Kind::DateTime},
            {u"DateTimeStart"_s,           u"Start lossen"_s,     Kind::DateTime},
            {u"DateTimeStop"_s,            u"Einde lossen"_s,     Kind::DateTime},
            {u"LosSnelheid"_s,             u"Lossnelheid"_s,      Kind::Decimal},
        },
        .checks = {required(u"BunkerNaam"_s, u"U heeft nog geen bunkernaam ingegeven"_s)},
    };
}

} // namespace kv::listdetail

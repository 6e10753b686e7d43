#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/members/members.h"
#include "editing/names.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

Member medewerkersMember()
{
    return {
        .screen = u"frmMedewerkers"_s,
        .popup = u"frmMedewerkersPopup"_s,
        .caption = u"Medewerker"_s,
        .table = u"Medewerkers"_s,
        .key = u"PersoneelsNr"_s,
        .columns = {
            {u"Selected"_s,     u"Selected"_s,     Kind::YesNo},
            {u"Omschrijving"_s, u"Omschrijving"_s},
            {u"Functie"_s,      u"Functie"_s,      Kind::Text, {}, Lookup{u"TabelFuncties"_s, u"PrimaryKey"_s, u"Omschrijving"_s}},
            {u"Voornamen"_s,    u"VoorNamen"_s},
            {u"Voorletters"_s,  u"Voorletters"_s},
            {u"Achternaam"_s,   u"Achternaam"_s},
            {u"Telefoon"_s,     u"Telefoon"_s},
            {u"Mobiel"_s,       u"Mobiel"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde medewerker wilt verwijderen?"_s,
        .fields = {
            {u"PersoneelsNr"_s,         u"Personeelsnummer"_s,     Kind::Number, {}, true},
            {u"VoorNamen"_s,            u"Voornamen"_s},
            {u"Achternaam"_s,           u"Achternaam"_s},
            {u"Roepnaam"_s,             u"Roepnaam"_s},
            {u"Geslacht"_s,             u"Geslacht (M/V)"_s,       Kind::Code},
            {u"GebDatum"_s,             u"Geboortedatum"_s,        Kind::Date},
            {u"GebLand"_s,              u"Geboorteland"_s},
            {u"BSNNr"_s,                u"BSN"_s},
            {u"Telefoon"_s,             u"Telefoon"_s},
            {u"Mobiel"_s,               u"Mobiel"_s},
            {u"Email"_s,                u"E-mail"_s},
            bankAccount(u"BankNr"_s,    u"Bankrekening"_s),
            {u"Functie"_s,              u"Functie (code)"_s,       Kind::Number},
            {u"DatumFunctie"_s,         u"In functie sinds"_s,     Kind::Date},
            {u"DatumIndienst"_s,        u"Datum in dienst"_s,      Kind::Date},
            {u"DatumUitdienst"_s,       u"Datum uit dienst"_s,     Kind::Date},
            {u"HuisAdres"_s,            u"Adres"_s},
            {u"HuisNr"_s,               u"Huisnummer"_s},
            {u"Postcode"_s,             u"Postcode"_s},
            {u"Woonplaats"_s,           u"Woonplaats"_s},
            {u"Land"_s,                 u"Land"_s},
            {u"Uitzendbureau"_s,        u"Uitzendbureau"_s},
            {u"ProvisiePercentage"_s,   u"Provisie %"_s,           Kind::Decimal},
            {u"BerekeningsGrondslag"_s, u"Berekeningsgrondslag"_s, Kind::Number},
            {u"Franchise"_s,            u"Franchise"_s,            Kind::Amount},
            {u"KeurMeesterKCB"_s,       u"Keurmeester KCB"_s,      Kind::YesNo},
            {u"Voorletters"_s,          {}},
        },
        .derive = [](DetailLogic &popup) {
            popup.setText(u"Voorletters"_s, GetVoorletters(popup.text(u"VoorNamen"_s)));
        },
    };
}

} // namespace kv::listdetail

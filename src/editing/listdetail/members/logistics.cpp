#include "editing/listdetail/members/members.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

Member botenMember()
{
    return {
        .screen = u"frmBoten"_s,
        .popup = u"frmBotenPopup"_s,
        .caption = u"Boot"_s,
        .table = u"Boten"_s,
        .key = u"BootID"_s,
        .columns = {
            {u"Bootnaam"_s, u"Bootnaam"_s},
            {u"Callsign"_s, u"Callsign"_s},
            {u"IMO"_s,      u"IMO"_s,  Kind::Number},
            {u"MMSI"_s,     u"MMSI"_s, Kind::Number},
            {u"Rederij"_s,  u"Rederij"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde boot wilt verwijderen?"_s,
        .fields = {
            {u"Bootnaam"_s, u"Bootnaam"_s},
            {u"Callsign"_s, u"Callsign"_s},
            {u"Rederij"_s,  u"Rederij"_s},
            {u"Website"_s,  u"Website"_s},
            {u"IMO"_s,      u"IMO"_s,  Kind::Number},
            {u"MMSI"_s,     u"MMSI"_s, Kind::Number},
        },
        .checks = {required(u"Bootnaam"_s, u"U heeft nog geen bootnaam ingegeven"_s)},
        .link = Link{u"Zoek deze boot op"_s, u"https://www.vesselfinder.com/vessels?name="_s, u"Bootnaam"_s},
    };
}

Member containersMember()
{
    return {
        .screen = u"frmContainers"_s,
        .popup = u"frmContainersPopup"_s,
        .caption = u"Container"_s,
        .table = u"Containers"_s,
        .key = u"Nummer"_s,
        .columns = {
            {u"Nr"_s,           u"Nummer"_s,       Kind::Number},
            {u"Omschrijving"_s, u"Omschrijving"_s},
            {u"Inhoud"_s,       u"Inhoud"_s,       Kind::Decimal, u" m³"_s},
            {u"Artnr. huur"_s,  u"ArtNrHuur"_s},
            {u"Abonnement"_s,   u"Abonnement"_s,   Kind::YesNo},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde container wilt verwijderen?"_s,
        .fields = {
            {u"Nummer"_s,       u"Nummer"_s,            Kind::Number, {}, true},
            {u"Omschrijving"_s, u"Omschrijving"_s},
            {u"Inhoud"_s,       u"Inhoud (m³)"_s,       Kind::Decimal},
            {u"ArtNrHuur"_s,    u"Artikelnummer huur"_s, Kind::Text, {}, false, {}, artikel()},
            {u"Abonnement"_s,   u"Abonnement"_s,        Kind::YesNo},
        },
        .checks = {
            required(u"Omschrijving"_s, u"U heeft nog geen omschrijving ingegeven."_s),
            requiredWhen(u"Abonnement"_s, u"ArtNrHuur"_s, u"Er is nog geen artikel toegevoegd voor het abonnement."_s),
        },
    };
}

Member colliMember()
{
    const QString cm = u" cm"_s;
    return {
        .screen = u"frmColli"_s,
        .popup = u"frmColliPopup"_s,
        .caption = u"Colli"_s,
        .table = u"ColliTabel"_s,
        .key = u"CodeNr"_s,
        .columns = {
            {u"Nr"_s,           u"CodeNr"_s,     Kind::Number},
            {u"Omschrijving"_s, u"Omschrijving"_s},
            {u"Materiaal"_s,    u"Materiaal"_s},
            {u"Eenheid"_s,      u"Eenheid"_s},
            {u"Lengte"_s,       u"Lengte"_s,     Kind::Decimal, cm},
            {u"Breedte"_s,      u"Breedte"_s,    Kind::Decimal, cm},
            {u"Hoogte"_s,       u"Hoogte"_s,     Kind::Decimal, cm},
            {u"Gewicht"_s,      u"Gewicht"_s,    Kind::Decimal},
            {u"Rekenfactor"_s,  u"Multiplier"_s, Kind::Decimal},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde colli wilt verwijderen?"_s,
        .fields = {
            {u"CodeNr"_s,                u"Nummer"_s,                 Kind::Number, {}, true},
            {u"Type"_s,                  u"Type"_s},
            {u"TypeNummer"_s,            u"Typenummer"_s,             Kind::Number},
            {u"Omschrijving"_s,          u"Omschrijving"_s},
            {u"ExternOmschrijving"_s,    u"Externe omschrijving"_s},
            {u"Materiaal"_s,             u"Materiaal"_s},
            {u"Uitvoering"_s,            u"Uitvoering"_s},
            {u"Eenheid"_s,               u"Eenheid"_s},
            {u"Lengte"_s,                u"Lengte (cm)"_s,            Kind::Decimal},
            {u"Breedte"_s,               u"Breedte (cm)"_s,           Kind::Decimal},
            {u"Hoogte"_s,                u"Hoogte (cm)"_s,            Kind::Decimal},
            {u"Laadmeter"_s,             u"Laadmeter"_s,              Kind::Decimal},
            {u"Gewicht"_s,               u"Gewicht (kg)"_s,           Kind::Decimal},
            {u"MateriaalGewicht"_s,      u"Materiaalgewicht (kg)"_s,  Kind::Decimal},
            {u"Multiplier"_s,            u"Rekenfactor"_s,            Kind::Decimal},
            {u"PrijsBerekening"_s,       u"Prijsberekening"_s,        Kind::Number},
            {u"IsGewichtEenheid"_s,      u"Gewichtseenheid"_s,        Kind::YesNo},
            {u"ExplicietGewicht"_s,      u"Expliciet gewicht"_s,      Kind::YesNo},
            {u"AantalInStuksAfboeken"_s, u"Aantal in stuks afboeken"_s, Kind::YesNo},
        },
        .checks = {required(u"Omschrijving"_s, u"U heeft nog geen omschrijving ingegeven."_s)},
    };
}

} // namespace kv::listdetail

#include "editing/listdetail/members/members.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

// Vehicles are listed in the order the planning keeps them (`Volgorde`); a new one goes last.
Member autogegevensMember()
{
    return {
        .screen = u"frmAutogegevens"_s,
        .popup = u"frmAutogegevensPopup"_s,
        .caption = u"Voertuig"_s,
        .table = u"Autogegevens"_s,
        .key = u"InternNr"_s,
        .columns = {
            {u"Kenteken"_s,      u"Kenteken"_s},
            {u"Merk"_s,          u"Merk"_s},
            {u"Type"_s,          u"Type"_s},
            {u"Voertuigsoort"_s, u"Soort"_s},
            {u"Uitvoering"_s,    u"SoortType"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u het geselecteerde voertuig wilt verwijderen?"_s,
        .fields = {
            {u"InternNr"_s,     u"Intern nummer"_s,   Kind::Number, {}, true},
            {u"Kenteken"_s,     u"Kenteken"_s,        Kind::Code},
            {u"Merk"_s,         u"Merk"_s},
            {u"Type"_s,         u"Type"_s},
            {u"Soort"_s,        u"Voertuigsoort"_s},
            {u"SoortType"_s,    u"Uitvoering"_s},
            {u"Brandstof"_s,    u"Brandstof"_s,       Kind::Number},
            {u"ChassisNr"_s,    u"Chassisnummer"_s},
            {u"BouwJaar"_s,     u"Bouwjaar"_s,        Kind::Number},
            {u"DatinDienst"_s,  u"In dienst"_s,       Kind::Date},
            {u"DatuitDienst"_s, u"Uit dienst"_s,      Kind::Date},
            {u"RVI"_s,          u"RVI"_s},
            {u"NIWO"_s,         u"NIWO"_s},
            {u"EEG"_s,          u"EEG"_s},
            {u"APK"_s,          u"APK"_s,             Kind::YesNo},
            {u"APKdatum"_s,     u"APK datum"_s,       Kind::Date},
            {u"Verzekering"_s,  u"Verzekering"_s,     Kind::Number},
            {u"PolisNr"_s,      u"Polisnummer"_s},
            {u"Volgorde"_s,     {},                   Kind::Number, {}, true},
        },
        .checks = {
            required(u"Kenteken"_s, u"U heeft nog geen kenteken ingegeven"_s),
            unique(u"Kenteken"_s, u"Er bestaat reeds een voertuig met kenteken "_s),
        },
        .listOrder = u"Volgorde"_s,
    };
}

// Shipping methods come with the program; their carrier, address and surcharge can be set.
Member verzendwijzeMember()
{
    return {
        .screen = u"frmVerzendwijzeLogistiek"_s,
        .popup = u"frmVerzendwijzeLogistiekPopup"_s,
        .caption = u"Verzendwijze"_s,
        .table = u"VerzendwijzeRelaties"_s,
        .key = u"CodeNr"_s,
        .columns = {
            {u"Nr"_s,           u"CodeNr"_s,            Kind::Number},
            {u"Omschrijving"_s, u"Omschrijving"_s},
            {u"Transporteur"_s, u"TransporteurRelNr"_s, Kind::Text, {}, relatie()},
            {u"Laadlocatie"_s,  u"LaadAdresRelNr"_s,    Kind::Text, {}, relatie()},
            {u"Prijsopslag"_s,  u"VerzendBedrag"_s,     Kind::Amount},
        },
        .deleteQuestion = {},
        .fields = {
            {u"CodeNr"_s,            u"Nummer"_s,               Kind::Number},
            {u"Omschrijving"_s,      u"Omschrijving"_s},
            {u"TransporteurRelNr"_s, u"Transporteur"_s,         Kind::Text, {}, false, {}, relatie()},
            {u"LaadAdresRelNr"_s,    u"Laadlocatie"_s,          Kind::Text, {}, false, {}, relatie()},
            {u"DerdeRelNr"_s,        u"Derde"_s,                Kind::Text, {}, false, {}, relatie()},
            {u"VerzendBedrag"_s,     u"Prijsopslag"_s,          Kind::Amount},
        },
    };
}

// Tare deductions agreed with an agent.
Member tarraMember()
{
    std::vector<Field> fields{
        {u"CodeNr"_s,          u"Nummer"_s,                 Kind::Number, {}, true},
        {u"CommissionairNr"_s, u"Commissionair"_s,          Kind::Text, {}, false, {}, relatie()},
        {u"Omschrijving"_s,    u"Omschrijving"_s},
        {u"Afkorting"_s,       u"Afkorting"_s},
        {u"Limiet0"_s,         u"Limiet 0"_s,               Kind::Decimal},
    };
    // Three limits alike, except that the third has no percentage.
    for (const QString &n : {u"1"_s, u"2"_s, u"3"_s}) {
        const QString limiet = u"Limiet"_s + n;
        fields.push_back({limiet, u"Limiet "_s + n, Kind::Decimal});
        fields.push_back({limiet + u"Bepaling"_s, u"Limiet "_s + n + u" bepaling"_s, Kind::Number});
        fields.push_back({limiet + u"Korting"_s, u"Limiet "_s + n + u" korting"_s, Kind::Decimal});
        fields.push_back({limiet + u"KortingPerAantalKg"_s, u"Limiet "_s + n + u" korting per kg"_s, Kind::Decimal});
        if (n != u"3")
            fields.push_back({limiet + u"KortingPerAantalProcent"_s, u"Limiet "_s + n + u" korting per %"_s, Kind::Decimal});
    }
    return {
        .screen = u"frmTarra"_s,
        .popup = u"frmTarraPopup"_s,
        .caption = u"Tarrakortingsregeling: "_s,
        .table = u"TarraVoorwaarden"_s,
        .key = u"CodeNr"_s,
        .columns = {
            {u"Nr"_s,            u"CodeNr"_s,          Kind::Number},
            {u"Commissionair"_s, u"CommissionairNr"_s, Kind::Text, {}, relatie()},
            {u"Omschrijving"_s,  u"Omschrijving"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde tarravoorwaarde wilt verwijderen?"_s,
        .fields = std::move(fields),
        .checks = {required(u"Omschrijving"_s, u"U heeft nog geen omschrijving ingegeven."_s)},
        .captionField = u"Omschrijving"_s,
    };
}

} // namespace kv::listdetail

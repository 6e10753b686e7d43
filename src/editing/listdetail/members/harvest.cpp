#include "editing/listdetail/bunkers/bunkerdrawing.h"
#include "editing/listdetail/members/members.h"
#include "editing/listdetail/sections/droogtabelartikelen.h"

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
        .actions = {{u"Tekening..."_s, u"cmdTekening"_s, showBunkerDrawing}},
    };
}

// A drying table: what weighing, transport, cleaning and drying cost, the articles those costs
// are invoiced with, and the articles (crops) the table applies to.
Member drogenMember()
{
    Member member{
        .screen = u"frmDrogen"_s,
        .popup = u"frmDrogenPopup"_s,
        .caption = u"Droogtabel"_s,
        .table = u"Droogtabel"_s,
        .key = u"ID"_s,
        .columns = {
            {u"Omschrijving"_s,         u"Omschrijving"_s},
            {u"Gekoppelde artikelen"_s, u"ID"_s, Kind::Text, {},
             Lookup{.table = u"DroogtabelDetails"_s, .index = u"DroogtabelID"_s, .field = u"ArtikelNummer"_s, .every = true}},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde droogtabel wilt verwijderen?"_s,
        .fields = {
            {u"Omschrijving"_s,           u"Omschrijving"_s},
            {u"Weegtarief"_s,             u"Weegtarief"_s,              Kind::Amount},
            {u"Weegkosten"_s,             u"Weegkosten"_s,              Kind::Amount},
            {u"Vrachttarief"_s,           u"Vrachttarief"_s,            Kind::Amount},
            {u"Vrachtkosten"_s,           u"Vrachtkosten"_s,            Kind::Amount},
            {u"Schoontarief"_s,           u"Schoontarief"_s,            Kind::Amount},
            {u"Schoonkosten"_s,           u"Schoonkosten"_s,            Kind::Amount},
            {u"Droogkosten"_s,            u"Droogkosten"_s,             Kind::Amount},
            {u"AlgemeneKosten"_s,         u"Algemene kosten"_s,         Kind::Amount},
            {u"VanTmBedrag"_s,            u"Van t/m bedrag"_s,          Kind::Amount},
            {u"HLGewicht"_s,              u"HL-gewicht"_s,              Kind::Decimal},
            {u"Methode"_s,                u"Methode"_s,                 Kind::Number},
            {u"MethodeGewichtsverlies"_s, u"Methode gewichtsverlies"_s, Kind::Number},
            {u"DroogverliesVoorraad"_s,   u"Droogverlies voorraad"_s,   Kind::YesNo},
            {u"DroogverliesFactuur"_s,    u"Droogverlies factuur"_s,    Kind::YesNo},
            {u"AlgemeenArtNr"_s,          u"Artikel algemeen"_s,        Kind::Text, {}, false, {}, artikel()},
            {u"DroogArtNr"_s,             u"Artikel drogen"_s,          Kind::Text, {}, false, {}, artikel()},
            {u"VrachtArtNr"_s,            u"Artikel vracht"_s,          Kind::Text, {}, false, {}, artikel()},
            {u"HLArtNr"_s,                u"Artikel HL"_s,              Kind::Text, {}, false, {}, artikel()},
            {u"WeegArtNr"_s,              u"Artikel wegen"_s,           Kind::Text, {}, false, {}, artikel()},
            {u"TarraArtNr"_s,             u"Artikel tarra"_s,           Kind::Text, {}, false, {}, artikel()},
        },
        .checks = {required(u"Omschrijving"_s, u"U heeft nog geen omschrijving ingegeven."_s)},
        .section = droogtabelArtikelenSectie,
    };
    for (const QString &field : {u"AlgemeenArtNr"_s, u"DroogArtNr"_s, u"VrachtArtNr"_s, u"HLArtNr"_s, u"WeegArtNr"_s, u"TarraArtNr"_s})
        member.checks.push_back(knownArtikel(field));
    return member;
}

} // namespace kv::listdetail

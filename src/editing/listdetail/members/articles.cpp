#include "editing/listdetail/members/members.h"

#include "editing/listdetail/printers/lineprinters.h"
#include "editing/listdetail/printers/printersection.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

// Packaging is a code table with an owner; new entries are active (RecordCode 1).
Member verpakkingenMember()
{
    return {
        .screen = u"frmVerpakkingen"_s,
        .popup = u"frmVerpakkingenPopup"_s,
        .caption = u"Verpakking"_s,
        .table = u"TabelVerpakking"_s,
        .key = u"CodeNr"_s,
        .columns = {
            {u"Nr"_s,         u"CodeNr"_s,           Kind::Number},
            {u"Verpakking"_s, u"Omschrijving"_s},
            {u"Prijs"_s,      u"VerpakkingsPrijs"_s, Kind::Amount},
            {u"Eigenaar"_s,   u"RelNr"_s,            Kind::Text, {}, relatie()},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde verpakking wilt verwijderen?"_s,
        .fields = {
            {u"Omschrijving"_s,     u"Verpakking"_s},
            {u"RelNr"_s,            u"Eigenaar"_s,         Kind::Text, {}, false, {}, relatie()},
            {u"GewichtMin"_s,       u"Gewicht minimaal"_s, Kind::Decimal},
            {u"GewichtMax"_s,       u"Gewicht maximaal"_s, Kind::Decimal},
            {u"VerpakkingsPrijs"_s, u"Prijs"_s,            Kind::Amount},
            {u"PalletType"_s,       u"Pallettype"_s},
            {u"Selected"_s,         u"Geselecteerd"_s,     Kind::YesNo},
            {u"CodeNr"_s,           {},                    Kind::Number, {}, true},
            {u"RecordCode"_s,       {},                    Kind::Number, u"1"_s},
        },
    };
}

// A production line's printers are settings of the workstation, kept in its registry; the
// popup shows and maintains them below the fields.
Member productieLijnenMember()
{
    return {
        .screen = u"frmProductieLijnen"_s,
        .popup = u"frmProductieLijnenPopUp"_s,
        .caption = u"Productielijn"_s,
        .table = u"TabelProductieLijn"_s,
        .key = u"CodeNr"_s,
        .columns = {
            {u"Nr"_s,            u"CodeNr"_s, Kind::Number},
            {u"Productielijn"_s, u"Omschrijving"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde productielijn wilt verwijderen?"_s,
        .fields = {
            {u"CodeNr"_s,       u"Nummer"_s,        Kind::Number, {}, true},
            {u"Omschrijving"_s, u"Productielijn"_s},
            {u"Selected"_s,     u"Geselecteerd"_s,  Kind::YesNo},
            {u"RecordCode"_s,   {},                 Kind::Number, u"1"_s},
        },
        .checks = {LinePrinters::numberKept},
        .section = [](DetailPopup &popup) -> QWidget * { return new PrinterSection(popup); },
        .deleted = LinePrinters::forget,
    };
}

Member bewaarloonMember()
{
    return {
        .screen = u"frmBewaarloon"_s,
        .popup = u"frmBewaarloonPopup"_s,
        .caption = u"Bewaarloon"_s,
        .table = u"Bewaarloon"_s,
        .key = u"CodeNr"_s,
        .columns = {
            {u"Nr"_s,           u"CodeNr"_s, Kind::Number},
            {u"Omschrijving"_s, u"Omschrijving"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde bewaarloon wilt verwijderen?"_s,
        .fields = {
            {u"CodeNr"_s,        u"Nummer"_s,            Kind::Number, {}, true},
            {u"Omschrijving"_s,  u"Omschrijving"_s},
            {u"ArtNr"_s,         u"Artikelnummer"_s,     Kind::Text, {}, false, {}, artikel()},
            {u"Periode"_s,       u"Periode"_s,           Kind::Number},
            {u"MaxPeriode"_s,    u"Maximaal periodes"_s, Kind::Number},
            {u"ArtikelPrijs"_s,  u"Artikelprijs"_s,      Kind::Amount},
            {u"VerkoopPrijs"_s,  u"Verkoopprijs"_s,      Kind::Amount},
            {u"RekenMethode"_s,  u"Rekenmethode"_s,      Kind::Number},
            {u"AparteFactuur"_s, u"Aparte factuur"_s,    Kind::YesNo},
        },
        .checks = {
            required(u"Omschrijving"_s, u"U heeft nog geen omschrijving ingegeven."_s),
            knownArtikel(u"ArtNr"_s),
        },
    };
}

Member artikelSoortMember()
{
    return {
        .screen = u"frmArtikelSoort"_s,
        .popup = u"frmArtikelSoortPopup"_s,
        .caption = u"Artikelsoort"_s,
        .table = u"ArtikelSoortArtikelNr"_s,
        .key = u"ID"_s,
        .columns = {
            {u"Artikelsoort"_s, u"Omschrijving"_s},
            {u"Artikelnr"_s,    u"ArtikelNummer"_s},
            {u"Omschrijving"_s, u"ArtikelNummer"_s, Kind::Text, {}, artikel()},
            {u"Ref. vocht %"_s, u"RefVocht"_s,      Kind::Decimal},
            {u"Ref. HL"_s,      u"RefHL"_s,         Kind::Decimal},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde artikelsoort wilt verwijderen?"_s,
        .fields = {
            {u"Omschrijving"_s,  u"Artikelsoort"_s},
            {u"RefVocht"_s,      u"Ref. vocht %"_s,  Kind::Decimal},
            {u"RefHL"_s,         u"Ref. HL-gewicht"_s, Kind::Decimal},
            {u"ArtikelNummer"_s, u"Artikelnummer"_s, Kind::Text, {}, false, {}, artikel()},
        },
        .checks = {
            required(u"Omschrijving"_s, u"U heeft nog geen omschrijving voor deze artikelsoort ingegeven."_s),
            knownArtikel(u"ArtikelNummer"_s),
        },
    };
}

} // namespace kv::listdetail

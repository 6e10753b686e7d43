#include "finance/periods/periodsmember.h"

using namespace Qt::StringLiterals;

namespace kv::finance {

using listdetail::Kind;

const listdetail::Member &periodsMember()
{
    static const QStringList status{u"open"_s, u"geblokkeerd"_s};
    static const listdetail::Member member{
        .screen = u"frmAdministratiePeriode"_s,
        .popup = u"frmAdministratiePeriodePopup"_s,
        .caption = u"Periode"_s,
        .table = u"Perioden"_s,
        .key = u"PeriodeNr"_s,
        .columns = {
            {u"Periode"_s,      u"PeriodeNr"_s,    Kind::Number},
            {u"Omschrijving"_s, u"Omschrijving"_s},
            {u"Datum van"_s,    u"Startdatum"_s,   Kind::Date},
            {u"Datum t/m"_s,    u"Einddatum"_s,    Kind::Date},
            {.caption = u"Status"_s, .field = u"Geblokkeerd"_s, .kind = Kind::YesNo, .yesNo = status},
        },
        .deleteQuestion = {},
        .fields = {
            {.name = u"PeriodeNr"_s, .caption = u"Periode:"_s, .kind = Kind::Number, .numberedOnAdd = true, .readOnly = true},
            {u"Omschrijving"_s, u"Omschrijving:"_s},
            {u"Startdatum"_s,   u"Begindatum:"_s, Kind::Date},
            {u"Einddatum"_s,    u"Einddatum:"_s,  Kind::Date},
            {.name = u"Geblokkeerd"_s, .caption = u"Status:"_s, .kind = Kind::YesNo, .choices = status},
        },
        .checks = {
            listdetail::required(u"Omschrijving"_s, u"U heeft nog geen omschrijving ingegeven"_s),
            listdetail::datesInOrder(u"Startdatum"_s, u"Einddatum"_s),
        },
        .adds = true,
        .trail = u"frmAdministratiePeriode"_s,
    };
    return member;
}

} // namespace kv::finance

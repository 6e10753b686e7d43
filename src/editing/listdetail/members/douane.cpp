#include "editing/listdetail/members/members.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

Member douaneMember()
{
    return {
        .screen = u"frmDouane"_s,
        .popup = u"frmDouanePopup"_s,
        .caption = u"Douanekantoor"_s,
        .table = u"DouaneKantoren"_s,
        .key = u"id"_s,
        .columns = {
            {u"Code"_s,                   u"ISO"_s},
            {u"Land"_s,                   u"ISO"_s, Kind::Text, {}, Lookup{u"Landen"_s, u"ISO"_s, u"Land"_s}},
            {u"Douanekantoor"_s,          u"Naam"_s},
            {u"Douanekantoor (engels)"_s, u"NaamEngels"_s},
            {u"Omschrijving"_s,           u"Omschrijving"_s},
            {u"Bijzonderheden"_s,         u"Bijzonderheden"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u het geselecteerde douanekantoor wilt verwijderen?"_s,
        .fields = {
            {u"Naam"_s,           u"Douanekantoor"_s},
            {u"NaamEngels"_s,     u"Douanekantoor (engels)"_s},
            {u"ISO"_s,            u"Landcode"_s, Kind::Code},
            {u"Omschrijving"_s,   u"Omschrijving"_s},
            {u"Bijzonderheden"_s, u"Bijzonderheden"_s},
        },
        .checks = {required(u"Naam"_s, u"Er is nog geen naam ingegeven voor dit douanekantoor."_s)},
    };
}

} // namespace kv::listdetail

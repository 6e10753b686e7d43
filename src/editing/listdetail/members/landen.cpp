#include "editing/listdetail/members/members.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

// The countries come with the program: they can be corrected, not added or removed.
Member landenMember()
{
    return {
        .screen = u"frmLanden"_s,
        .popup = u"frmLandenPopupEdit"_s,
        .caption = u"Land"_s,
        .table = u"Landen"_s,
        .key = u"id"_s,
        .columns = {
            {u"Code"_s,                u"TweeLetterig"_s},
            {u"Landsnaam"_s,           u"Land"_s},
            {u"Landsnaam engels"_s,    u"LandEngels"_s},
            {u"Landsnaam officieel"_s, u"LandOfficieelNL"_s},
            {u"Werelddeel"_s,          u"WereldDeel"_s},
        },
        .deleteQuestion = {},
        .fields = {
            {u"Land"_s,            u"Landsnaam"_s},
            {u"LandOfficieelNL"_s, u"Officiële naam"_s},
            {u"LandOfficieel"_s,   u"Officiële naam (eigen taal)"_s},
            {u"LandEngels"_s,      u"Landsnaam engels"_s},
            {u"WereldDeel"_s,      u"Werelddeel"_s},
            {u"LandCodeTel"_s,     u"Telefooncode"_s},
            {u"Taal"_s,            u"Taal"_s},
        },
        .link = Link{u"ISO 3166-1 landcodes"_s, u"https://www.iso.org/iso-3166-country-codes.html"_s},
    };
}

} // namespace kv::listdetail

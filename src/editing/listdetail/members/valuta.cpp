#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/members/members.h"
#include "editing/listdetail/sections/eurokoers.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

Member valutaMember()
{
    return {
        .screen = u"frmValuta"_s,
        .popup = u"frmValutaPopup"_s,
        .caption = u"Valuta"_s,
        .table = u"ValutaTabel"_s,
        .key = u"Valutacode"_s,
        .columns = {
            {u"ISO"_s,        u"Valutacode"_s},
            {u"Land"_s,       u"valutaland"_s},
            {u"Munt"_s,       u"ValutaMunt"_s},
            {u"Koers"_s,      u"valutakoers"_s, Kind::AmountText},
            {u"Koersdatum"_s, u"koersdatum"_s,  Kind::Date},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde valuta wilt verwijderen?"_s,
        .fields = {
            {u"Valutacode"_s,      u"ISO code"_s,   Kind::Code},
            {u"valutaland"_s,      u"Land"_s},
            {u"ValutaMunt"_s,      u"Munt"_s},
            {u"valutakoers"_s,     u"Koers"_s,      Kind::AmountText},
            {u"koersdatum"_s,      u"Koersdatum"_s, Kind::Date},
            {u"valutadecimalen"_s, u"Decimalen"_s,  Kind::Number, u"2"_s},
            {u"valutavolgnr"_s,    {},              Kind::Number, {}, true},
        },
        .checks = {
            required(u"Valutacode"_s, u"U heeft nog geen ISO codering ingegeven"_s),
            unique(u"Valutacode"_s, u"Er bestaat reeds een ISO codering code "_s),
        },
        // Decimals left empty are stored as 2.
        .derive = [](DetailLogic &popup) {
            if (popup.text(u"valutadecimalen"_s).trimmed().isEmpty())
                popup.setText(u"valutadecimalen"_s, u"2"_s);
        },
        .link = Link{u"ISO valutacodes"_s, u"https://www.iso.org/iso-4217-currency-codes.html"_s},
        .section = eurokoersSectie,
    };
}

} // namespace kv::listdetail

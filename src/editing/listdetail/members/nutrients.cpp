#include "core/db/recordset.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/members/members.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

namespace {

const QString grondstofDb = u"Grondstof.mdb"_s;
Lookup eenheid() { return {u"NutrientEenheden"_s, u"PrimaryKey"_s, u"Afkorting"_s}; }

// A number typed for a new record, or changed, that another record already has.
Check numberInUse(const QString &table, const QString &field)
{
    return [=](DetailLogic &popup) -> QString {
        const QString number = popup.text(field).trimmed();
        if (number.isEmpty() || !popup.usedElsewhere(field, number))
            return QString();
        db::Recordset &rs = popup.tables().table(table);
        rs.setIndex(u"PrimaryKey"_s);
        rs.Seek(u"=", number.toLongLong());
        QStringList who;
        for (const QString &name : {u"Afkorting"_s, u"Omschrijving"_s}) {
            if (!rs.NoMatch() && rs.hasField(name))
                who << rs.text(name).trimmed();
        }
        return u"Dit nummer ("_s + number + u") is reeds in gebruik bij "_s + who.join(u" - "_s);
    };
}

} // namespace

Member nutrientenMember()
{
    return {
        .screen = u"frmNutrienten"_s,
        .popup = u"frmNutrientenPopup"_s,
        .caption = u"Nutriënt"_s,
        .table = u"Nutrienten"_s,
        .key = u"NutrientID"_s,
        .columns = {
            {u"Nr"_s,        u"NutrientID"_s, Kind::Number, {}, {}, 5},
            {u"Afkorting"_s, u"Afkorting"_s},
            {u"Nutriënt"_s,  u"Omschrijving"_s},
            {u"Eenheid"_s,   u"EenheidID"_s,  Kind::Text, {}, eenheid()},
            {u"Type"_s,      u"Type"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde nutriënt wilt verwijderen?"_s,
        .fields = {
            {u"NutrientID"_s,   u"Nummer"_s,          Kind::Number},
            {u"Afkorting"_s,    u"Afkorting"_s},
            {u"Omschrijving"_s, u"Nutriënt"_s},
            {u"EenheidID"_s,    u"Eenheid"_s,       Kind::Number, {}, false, {}, eenheid()},
            {u"Type"_s,         u"Type"_s},
        },
        .checks = {
            required(u"NutrientID"_s, u"U heeft nog geen nummer voor dit nutriënt ingegeven."_s),
            required(u"EenheidID"_s, u"U heeft nog geen eenheid voor dit nutriënt ingegeven."_s),
            required(u"Type"_s, u"U heeft nog geen type voor dit nutriënt ingegeven."_s),
            numberInUse(u"Nutrienten"_s, u"NutrientID"_s),
        },
        .database = grondstofDb,
        .subList = Member::SubList{u"Eenheden"_s, u"frmNutrientenPopupEenheden"_s},
    };
}

// The units of the nutrients, kept from the nutrient popup.
Member nutrientEenhedenMember()
{
    return {
        .screen = u"frmNutrientenPopupEenheden"_s,
        .popup = u"frmNutrientenPopupEenhedenPopup"_s,
        .caption = u"Eenheid"_s,
        .table = u"NutrientEenheden"_s,
        .key = u"EenheidID"_s,
        .columns = {
            {u"Nr"_s,        u"EenheidID"_s, Kind::Number},
            {u"Afkorting"_s, u"Afkorting"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde eenheid wilt verwijderen?"_s,
        .fields = {
            {u"EenheidID"_s, u"Nummer"_s,    Kind::Number},
            {u"Afkorting"_s, u"Afkorting"_s},
        },
        .checks = {
            required(u"EenheidID"_s, u"U heeft nog geen nummer voor deze eenheid ingegeven."_s),
            numberInUse(u"NutrientEenheden"_s, u"EenheidID"_s),
        },
        .database = grondstofDb,
    };
}

Member grondstoffenMember()
{
    return {
        .screen = u"frmGrondstoffen"_s,
        .popup = u"frmGrondstoffenPopup"_s,
        .caption = u"Grondstof"_s,
        .table = u"Grondstoffen"_s,
        .key = u"GrondstofID"_s,
        .columns = {
            {u"Nr"_s,           u"GrondstofID"_s, Kind::Number},
            {u"Afkorting"_s,    u"Afkorting"_s},
            {u"Omschrijving"_s, u"Omschrijving"_s},
        },
        .deleteQuestion = u"Weet u zeker dat u de geselecteerde grondstof wilt verwijderen?"_s,
        .fields = {
            {u"GrondstofID"_s,  u"Nummer"_s,       Kind::Number},
            {u"Afkorting"_s,    u"Afkorting"_s},
            {u"Omschrijving"_s, u"Omschrijving"_s},
        },
        .checks = {
            required(u"GrondstofID"_s, u"U heeft nog geen nummer voor deze grondstof ingegeven."_s),
            numberInUse(u"Grondstoffen"_s, u"GrondstofID"_s),
        },
        .database = grondstofDb,
    };
}

} // namespace kv::listdetail

#include "finance/assets/generalsettings.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "editing/listdetail/values.h"
#include "editing/options/optionslogic.h"
#include "editing/options/rows.h"

using namespace Qt::StringLiterals;

namespace kv::finance::assets {

using namespace options::rows;

namespace {

const QString kTable = u"ActivaAlgemeen"_s, kLimit = u"field 1"_s;

Option kept(Option option)
{
    option.table = kTable;
    return option;
}

// The journals to choose from: none, each of `Dagboek`, and a stored code `Dagboek` does not
// have, so that it is shown (and kept) rather than lost.
Option journal(Context &ctx)
{
    Option option{u"combo 1"_s, u"Gebruik dagboek:"_s, Control::Combo, Place::UserGegevens, u"DagboekCode"_s,
                  Encoding::Item, {u""_s}, {u""_s}};
    db::Database &db = ctx.session->DBAdmin();
    db::Statement journals = db.prepareOnce(u"SELECT DagboekCode, Omschrijving FROM Dagboek ORDER BY DagboekCode"_s);
    while (journals.step()) {
        option.values << journals.column(0).toString().trimmed();
        option.items << option.values.last() + u" - " + journals.column(1).toString().trimmed();
    }
    db::Statement stored = db.prepareOnce(
        u"SELECT DagboekCode FROM ActivaAlgemeen WHERE CAST(Boekjaar AS INTEGER) <= ? ORDER BY CAST(Boekjaar AS INTEGER) DESC LIMIT 1"_s);
    stored.bind(1, ctx.AdminJaar.toInt());
    if (stored.step()) {
        const QString code = stored.column(0).toString().trimmed();
        if (!code.isEmpty() && !option.values.contains(code, Qt::CaseInsensitive)) {
            option.values << code;
            option.items << code + u" - onbekend";
        }
    }
    return kept(option);
}

QString limitNotNegative(const options::OptionsLogic &logic)
{
    const auto &s = logic.context().separators;
    const auto limit = listdetail::number(logic.stateOf(kLimit), s.DecimaalTeken, s.DuizendTeken);
    return limit && *limit < 0 ? NegatieveOndergrens.toString() : QString();
}

} // namespace

options::OptionScreen generalSettings(Context &ctx)
{
    Option year = kept(field(0, u"Boekjaar:"_s, Place::UserGegevens, u"Boekjaar"_s));
    year.readOnly = true;
    Option limit = kept(field(1, u"Fiscale benedengrens:"_s, Place::UserGegevens, u"FiscaleOndergrens"_s, Control::Amount));
    limit.encoding = Encoding::AmountText;
    Option method{u"combo 0"_s, u"Afschrijvingsmethode:"_s, Control::Combo, Place::UserGegevens, u"Methode"_s, Encoding::Item,
                  {u"Lineair - vast bedrag/percentage van aanschafwaarde"_s, u"vast percentage van boekwaarde"_s,
                   u"som van de jaarnummers"_s},
                  {u"0"_s, u"1"_s, u"2"_s}};
    return {
        .screen = u"frmActivaAlgemeen"_s,
        .caption = u"Algemeen"_s,
        .options = {
            year,
            limit,
            kept(method),
            kept(dbToggle(0, u"Alle bedragen standaard afronden op hele euro's"_s, u"Afronden"_s, Encoding::Reg10)),
            heading(u"Financiële koppeling voor boeking afschrijvingen etc."_s),
            journal(ctx),
        },
        .check = limitNotNegative,
        .yearField = u"Boekjaar"_s,
    };
}

FrmActivaAlgemeen::FrmActivaAlgemeen(Context &ctx)
    : HeldTable{generalSettings(ctx)}, OptionsScreen(ctx, table)
{
}

} // namespace kv::finance::assets

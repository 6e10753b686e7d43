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

const QString kJournal = u"combo 1"_s;

// The journals to choose from: none, each of `Dagboek`, and a code `Dagboek` does not have as
// it is stored, so that it is shown (and kept) rather than lost.
std::vector<Option::Entry> journals(const options::OptionsLogic &logic)
{
    std::vector<Option::Entry> entries{{}};
    const QString &chosen = logic.stateOf(kJournal);
    bool known = chosen.trimmed().isEmpty();
    db::Statement journal = logic.context().session->DBAdmin().prepareOnce(
        u"SELECT DagboekCode, Omschrijving FROM Dagboek ORDER BY DagboekCode"_s);
    while (journal.step()) {
        const QString code = journal.column(0).toString().trimmed();
        known = known || code.compare(chosen.trimmed(), Qt::CaseInsensitive) == 0;
        entries.push_back({code + u" - " + journal.column(1).toString().trimmed(), code});
    }
    if (!known)
        entries.push_back({chosen.trimmed() + u" - onbekend", chosen});
    return entries;
}

// A negative limit; a journal that is not in `Dagboek` (the tool can type one), unless it was so stored.
QString refused(const options::OptionsLogic &logic)
{
    const auto &s = logic.context().separators;
    const auto limit = listdetail::number(logic.stateOf(kLimit), s.DecimaalTeken, s.DuizendTeken);
    if (limit && *limit < 0)
        return NegatieveOndergrens.toString();
    const QString code = logic.stateOf(kJournal).trimmed();
    if (code.isEmpty() || code == logic.loaded(logic.indexOf(kJournal)).toString().trimmed())
        return {};
    db::Statement journal = logic.context().session->DBAdmin().prepareOnce(u"SELECT 1 FROM Dagboek WHERE DagboekCode = ?"_s);
    journal.bind(1, code);
    return journal.step() ? QString() : u"Dagboek "_s + code + u" bestaat niet."_s;
}

} // namespace

options::OptionScreen generalSettings()
{    Option year = kept(field(0, u"Boekjaar:"_s, Place::UserGegevens, u"Boekjaar"_s));
    year.readOnly = true;
    Option limit = kept(field(1, u"Fiscale benedengrens:"_s, Place::UserGegevens, u"FiscaleOndergrens"_s, Control::Amount));
    limit.encoding = Encoding::AmountText;
    Option method{u"combo 0"_s, u"Afschrijvingsmethode:"_s, Control::Combo, Place::UserGegevens, u"Methode"_s, Encoding::Item,
                  {u"Lineair - vast bedrag/percentage van aanschafwaarde"_s, u"vast percentage van boekwaarde"_s,
                   u"som van de jaarnummers"_s},
                  {u"0"_s, u"1"_s, u"2"_s}};
    Option journal{kJournal, u"Gebruik dagboek:"_s, Control::Combo, Place::UserGegevens, u"DagboekCode"_s, Encoding::Text};
    journal.entries = journals;
    return {
        .screen = u"frmActivaAlgemeen"_s,
        .caption = u"Algemeen"_s,
        .options = {
            year,
            limit,
            kept(method),
            kept(dbToggle(0, u"Alle bedragen standaard afronden op hele euro's"_s, u"Afronden"_s, Encoding::Reg10)),
            heading(u"Financiële koppeling voor boeking afschrijvingen etc."_s),
            kept(journal),
        },
        .check = refused,
        .yearField = u"Boekjaar"_s,
    };
}

} // namespace kv::finance::assets

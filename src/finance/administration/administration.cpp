#include "finance/administration/administration.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/busycursor.h"
#include "editing/dates.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/values.h"
#include "editing/options/audittrail.h"
#include "editing/options/optionslogic.h"
#include "editing/options/rows.h"
#include "editing/registration.h"
#include "finance/periods/generation.h"
#include "finance/periods/periodsmember.h"
#include "finance/vat/standardcodes.h"

#include <QDialog>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

using namespace options::rows;
using options::OptionsLogic;

const QString kStart = u"field 1"_s, kEnd = u"field 2"_s, kPeriods = u"combo 0"_s, kLiable = u"toggle 0"_s,
              kReturn = u"combo 1"_s, kCountry = u"combo 2"_s, kVatNumber = u"field 3"_s, kExtended = u"toggle 1"_s,
              kArticleLinks = u"toggle 2"_s;
const QString kNotSaved = u"De wijzigingen zijn (nog) niet opgeslagen."_s;

bool on(const OptionsLogic &logic, const QString &control)
{
    return logic.stateOf(control) == u"on";
}

// A date of the screen as stored, "" when it is none.
QString storedDate(const OptionsLogic &logic, const QString &control)
{
    return listdetail::storedValue(logic.context(), listdetail::Kind::Date, logic.stateOf(control)).value_or(QVariant()).toString();
}

// A date of the financial year; without one, the year's `monthDay`.
Option date(int n, const QString &caption, const QString &name, const QString &monthDay)
{
    Option option{u"field %1"_s.arg(n), caption, Control::Date, Place::UserGegevens, name, Encoding::DateText};
    option.fallbackOf = [monthDay](const OptionsLogic &logic) { return DatumWeergave(QString(logic.stateOf(u"field 0"_s) + monthDay)); };
    return option;
}

Option dbCombo(int n, const QString &caption, const QString &name, const QStringList &items)
{
    QStringList positions;
    for (qsizetype i = 0; i < items.size(); ++i)
        positions << QString::number(i);
    return {u"combo %1"_s.arg(n), caption, Control::Combo, Place::UserGegevens, name, Encoding::Item, items, positions};
}

Option button(const QString &control, const QString &caption, std::function<void(Context &, QWidget *)> action)
{
    Option option{control, caption, Control::Button, Place::UserGegevens, {}, Encoding::Text};
    option.action = std::move(action);
    return option;
}

// The VAT number on leaving it: only with a country, only a correct one, written without dots.
bool leaveVatNumber(OptionsLogic &logic, int option)
{
    if (logic.screen().options[size_t(option)].control != kVatNumber || logic.stateOf(kVatNumber).trimmed().isEmpty())
        return true;
    DialogService &dialogs = *logic.context().dialogs;
    if (logic.stateOf(kCountry).isEmpty()) {
        dialogs.MsgBox(u"U kunt geen BTW-nummer invullen zonder een landcode te kiezen!"_s, mb::Information);
        return true;
    }
    if (!CheckBtwNummer(logic.stateOf(kVatNumber))) {
        dialogs.MsgBox(u"Het ingevulde BTW nummer is geen correct BTW nummer."_s, mb::Information);
        return false;
    }
    logic.setState(option, QString(logic.stateOf(kVatNumber)).remove(u'.'));
    return true;
}

QString datesInOrder(const OptionsLogic &logic)
{
    const QString start = storedDate(logic, kStart), end = storedDate(logic, kEnd);
    return !start.isEmpty() && !end.isEmpty() && end < start ? u"De einddatum mag niet voor de begindatum liggen."_s : QString();
}

// The periods of the type on the screen, from its dates; nothing (after the message) when the
// dates are none or in the wrong order.
std::optional<std::vector<Period>> periodsOnScreen(const OptionsLogic &logic)
{
    Context &ctx = logic.context();
    const auto start = listdetail::storedValue(ctx, listdetail::Kind::Date, logic.stateOf(kStart));
    const auto end = listdetail::storedValue(ctx, listdetail::Kind::Date, logic.stateOf(kEnd));
    if (!start || !end) {
        ctx.dialogs->MsgBox(listdetail::OnlogischeDatum.toString(), mb::Exclamation);
        return std::nullopt;
    }
    if (const QString order = datesInOrder(logic); !order.isEmpty()) {
        ctx.dialogs->MsgBox(order, mb::Exclamation);
        return std::nullopt;
    }
    return periodsOf(PeriodType(logic.stateOf(kPeriods).toInt()), start->toString(), end->toString(), logic.stateOf(u"field 0"_s));
}

// Another type of booking periods makes the periods anew at once, from the dates on the screen.
// When that cannot be done the list goes back to the type the periods have.
void periodTypeChosen(OptionsLogic &logic, int option)
{
    if (logic.screen().options[size_t(option)].control != kPeriods || logic.locked(option))
        return;
    const QString made = logic.notes().value(u"periods"_s, logic.loaded(option)).toString();
    bool done = false;
    if (const auto periods = periodsOnScreen(logic)) {
        done = tryOperation(logic.context(), u"frmAdministratie: Perioden aanmaken"_s,
                            [&] { replacePeriods(logic.context(), *periods, u"frmAdministratie"_s); });
    }
    if (done)
        logic.notes()[u"periods"_s] = logic.stateOf(kPeriods);
    else
        logic.setState(option, made, false);
}

// Booking periods that do not fit the VAT return: years or weeks with a monthly or quarterly
// return, quarters with a monthly one.
bool illogical(int periods, int vatReturn)
{
    const bool monthOrQuarter = vatReturn == 0 || vatReturn == 1;
    return (periods == 0 && monthOrQuarter) || (periods == 1 && vatReturn == 0) || (periods == 3 && monthOrQuarter);
}

// The questions before a save: the VAT number, booking periods against the VAT return, and the
// per-article ledger links when that switch changed.
bool confirm(OptionsLogic &logic)
{
    DialogService &dialogs = *logic.context().dialogs;
    logic.notes().remove(u"links"_s);
    if (on(logic, kLiable)) {
        const QString number = logic.stateOf(kVatNumber).trimmed();
        const qsizetype b = number.indexOf(u'B');
        if (number.isEmpty()) {
            dialogs.MsgBox(u"Let op: Het BTW-nummer is nog niet ingevuld."_s, mb::Information);
        } else if (b < 0) {
            dialogs.MsgBox(u"Het ingevulde BTW-nummer is niet compleet - u dient het correcte bedrijfsnummer B?? nog in te voeren."_s,
                           mb::Exclamation);
            return false;
        } else if (const QString company = number.mid(b, 3); company < u"B01" || company > u"B99") {
            dialogs.MsgBox(u"U dient het correcte bedrijfsnummer B?? nog in te voeren!"_s, mb::Exclamation);
            return false;
        } else if (!CheckBtwNummer(number)) {
            dialogs.MsgBox(u"Het ingevulde BTW-nr is niet correct, de overige gegevens worden wel opgeslagen."_s,
                           mb::Exclamation);
        }
        if (illogical(logic.stateOf(kPeriods).toInt(), logic.stateOf(kReturn).toInt())
            && dialogs.MsgBox(u"De combinatie boekingsperioden en BTW aangifte tijdvak is niet logisch!\n\nWilt u toch doorgaan?"_s,
                              mb::YesNo | mb::Question)
                   != mb::Yes)
            return false;
    }
    const int links = logic.indexOf(kArticleLinks);
    if (!logic.changed(links))
        return true;
    const QString question = on(logic, kArticleLinks)
        ? u"Weet u zeker dat u per artikel en per BTW tarief de grootboekkoppelingen wilt koppelen?"_s
        : u"Weet u zeker dat u NIET LANGER per artikel en per BTW tarief de grootboekkoppelingen wilt koppelen?"_s;
    if (dialogs.MsgBox(question, mb::YesNo | mb::Question) != mb::Yes) {
        dialogs.MsgBox(kNotSaved, mb::Information);
        return false;
    }
    logic.notes()[u"links"_s] = on(logic, kArticleLinks)
        ? (dialogs.MsgBox(u"Wilt u de standaard inkoop- en omzetrekeningen invullen op basis van de huidige artikel instellingen ?"_s,
                          mb::YesNo | mb::Question) == mb::Yes ? u"fill"_s : QString())
        : u"clear"_s;
    return true;
}

// In the save's transaction: the periods of a type chosen without making them (the tool), the
// per-article ledger links, then the VAT codes.
void alongside(OptionsLogic &logic, std::vector<options::AuditEntry> &trail)
{
    Context &ctx = logic.context();
    db::Database &db = ctx.session->DBAdmin();
    const int type = logic.indexOf(kPeriods);
    if (logic.changed(type) && logic.notes().value(u"periods"_s).toString() != logic.stateOf(kPeriods)) {
        const auto periods = periodsOnScreen(logic); // the save's checks passed: the dates are good
        Q_ASSERT(periods);
        replacePeriods(ctx, *periods, u"frmAdministratie"_s, &trail);
        logic.notes()[u"periods"_s] = logic.stateOf(kPeriods);
    }
    const QString links = logic.notes().value(u"links"_s).toString();
    if (!links.isEmpty()) {
        const BusyCursor busy;
        auto count = [&] {
            db::Statement rows = db.prepare(u"SELECT COUNT(*) FROM ArtikelenBTW"_s);
            return rows.step() ? rows.column(0).toLongLong() : 0;
        };
        const bool anyCode = db.hasRows(u"BTWcodering"_s);
        const qint64 before = count();
        if (links == u"clear" || anyCode) {
            db.exec(u"DELETE FROM ArtikelenBTW"_s);
            if (links == u"fill")
                db.exec(u"INSERT INTO ArtikelenBTW (ArtikelNummer, BTWCode, InkoopRekening, Grootboeknummer) "
                        u"SELECT a.ArtikelNummer, b.BTWCode, a.InkoopRekening, a.Grootboeknummer FROM Artikelen a, BTWcodering b"_s);
            db.bumpGeneration(); // record sets over the links read them again
            // Kept as counts, also when they came out the same: this save cannot be undone.
            trail.push_back({options::TrailDatabase.toString(), u"ArtikelenBTW"_s, QString::number(before), QString::number(count())});
        }
    }
    alignVatCodes(ctx, on(logic, kLiable), on(logic, kExtended), trail);
}

// A year that does not run from 1 January to 31 December is a broken one.
QString broken(const OptionsLogic &logic)
{
    const QString start = storedDate(logic, kStart), end = storedDate(logic, kEnd);
    return (start.mid(4) != u"0101" || end.mid(4) != u"1231") ? u"on"_s : u"off"_s;
}

void openPeriods(Context &ctx, QWidget *parent)
{
    QDialog window(parent);
    window.setWindowTitle(u"Aanwezige perioden:"_s);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new listdetail::ListScreen(ctx, periodsMember(), &window));
    window.resize(760, 520);
    window.exec();
}

} // namespace

options::OptionScreen administration()
{
    Option year = field(0, u"Boekjaar:"_s, Place::UserGegevens, u"Boekjaar"_s);
    year.readOnly = true;
    Option periods = dbCombo(0, u"Boekingsperioden:"_s, u"BoekingsPeriode"_s,
                             {u"Jaarperiode - ( 1 periode )"_s, u"Kwartaalperiode - ( 4 perioden )"_s,
                              u"Maandperiode - ( 12 perioden )"_s, u"Weekperiode - ( 52 perioden )"_s});
    periods.lockedWhile = u"GrootboekMutaties WHERE Periode IS NOT NULL"_s;
    periods.releaseCaption = u" Wijzig periode... "_s;
    periods.releaseQuestion = u"Let op:\nEr zijn reeds boekingen aangetroffen in bestaande boekingsperiode.\n\n"
                              u"U bent zelf verantwoordelijk voor het correct registreren van de perioden.\n\n"
                              u"Wilt u de boekingsperioden toch kunnen aanpassen?"_s;
    periods.releaseLog = u"Geforceerd boekingsperiode wijzigen."_s;
    Option gebroken{u"BoekjaarGebroken"_s, {}, Control::Along, Place::UserGegevens, u"BoekjaarGebroken"_s, Encoding::DbMinus10};
    gebroken.compute = broken;
    Option country{u"combo 2"_s, u"Land:"_s, Control::Combo, Place::UserGegevens, u"LandCode"_s, Encoding::CodeKey};
    country.codeTable = u"TabelLandcode"_s;
    Option vatId = field(4, u"BTW id:"_s, Place::UserGegevens, u"BTWID"_s);
    vatId.note = u"( BTW id kunt u invullen bij eenmanszaak of zzp'er )"_s;
    Option closed = dbToggle(3, u"Deze administratie kenmerken als afgesloten"_s, u"ReleaseCode"_s, Encoding::Marked);
    closed.values = {u"XXX"_s};
    closed.note = u"( bij een gesloten boekjaar kan alleen de beheerder nog in deze administratie werken )"_s;
    Option details = regToggle(7, u"Bij details van de debiteuren- en crediteurengrootboekrekening controles en signaleringen toepassen"_s,
                               u"AdministratieSubAdminDetails"_s);
    details.note = u"( Hierbij worden alle relatie en factuurgegevens gecontroleerd met het grootboek )"_s;

    options::OptionScreen screen{u"frmAdministratie"_s, u"Administratie"_s, {}, {
        heading(u"Boekjaar"_s),
        year,
        periods,
        button(u"cmdPerioden"_s, u"Periode beheer...."_s, openPeriods),
        date(1, u"Begindatum:"_s, u"BoekjaarPeriodeStart"_s, u"0101"_s),
        date(2, u"Einddatum:"_s,  u"BoekjaarPeriodeEind"_s,  u"1231"_s),
        gebroken,
        heading(u"BTW"_s),
        dbToggle(0, u"Administratie is BTW plichting"_s, u"BTWOptie"_s, Encoding::DbMinus10),
        dbCombo(1, u"Aangifte tijdvak:"_s, u"BTWperiode"_s, {u"Maand"_s, u"Kwartaal"_s, u"Jaar"_s}),
        country,
        field(3, u"BTW nr.:"_s, Place::UserGegevens, u"BTWNr"_s),
        button(u"cmdVies"_s, u"BTW-nummer controleren..."_s,
               [](Context &ctx, QWidget *) { ctx.dialogs->OpenDocument(u"https://ec.europa.eu/taxation_customs/vies/"_s); }),
        vatId,
        dbToggle(1, u"Uitgebreide BTW administratie (import/export/verleggingsregelingen etc.)"_s, u"UseBTWVerlegd"_s, Encoding::DbMinus10),
        dbToggle(2, u"Per BTW tarief en per artikel een aparte grootboekkoppeling voor inkoop en omzet hanteren"_s,
                 u"ExtendedBTWGrootboek"_s, Encoding::DbMinus10),
        heading(u"Boekingen"_s),
        closed,
        dbToggle(4, u"Automatisch de (vrije) periode bepalen aan de hand van de boekdatum"_s, u"AutoPeriode"_s, Encoding::DbMinus10),
        dbToggle(5, u"Corrigeren journaalposten is toegestaan"_s, u"Correctiejournaalpost"_s, Encoding::DbMinus10),
        dbToggle(6, u"Gemaakte selectiecriteria bij overzichten onthouden"_s, u"selectielog"_s, Encoding::DbMinus10),
        details,
    }};
    screen.onlyWithRecord = true;
    screen.check = datesInOrder;
    screen.leave = leaveVatNumber;
    screen.changed = periodTypeChosen;
    screen.confirm = confirm;
    screen.alongside = alongside;
    return screen;
}

} // namespace kv::finance

#include "finance/incasso/incasso.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/session/session.h"
#include "editing/accountnumbers.h"
#include "editing/iban.h"
#include "editing/ibanregistry.h"
#include "editing/options/optionslogic.h"
#include "editing/options/rows.h"

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

using namespace options::rows;
using options::OptionsLogic;

const QString kCollect = u"field 1"_s, kPay = u"field 4"_s, kCreditorId = u"field 2"_s;
const QString kWrongAccount = u"Het ingegeven bankgironummer is niet correct...opnieuw s.v.p."_s;

bool isAccount(const OptionsLogic &logic, int option)
{
    const QString &control = logic.screen().options[size_t(option)].control;
    return control == kCollect || control == kPay;
}

// On leaving an account: a wrong one keeps the focus, a right one is shown in its groups; the
// creditor identifier is shown as it will be stored.
bool leave(OptionsLogic &logic, int option)
{
    const QString state = logic.state(option).trimmed();
    if (logic.screen().options[size_t(option)].control == kCreditorId) {
        logic.setState(option, state.toUpper().remove(u' '));
        return true;
    }
    if (!isAccount(logic, option) || state.isEmpty())
        return true;
    if (!CheckRekeningnummer(state)) {
        logic.context().dialogs->MsgBox(kWrongAccount, mb::Exclamation);
        return false;
    }
    logic.setState(option, FormatRekeningnummer(state));
    return true;
}

// The accounts once more on saving: the tool never leaves a field.
QString accountsCorrect(const OptionsLogic &logic)
{
    for (const QString &control : {kCollect, kPay})
        if (const QString account = logic.stateOf(control).trimmed(); !account.isEmpty() && !CheckRekeningnummer(account))
            return kWrongAccount;
    return {};
}

QString kvkNumber(const OptionsLogic &logic)
{
    db::Recordset &user = logic.context().session->table(u"UserGegevens"_s);
    user.MoveFirst();
    return user.Eof() ? QString() : user.value(u"KvKNr"_s).toString().trimmed();
}

options::Remark remark(const OptionsLogic &logic, int option)
{
    const QString state = logic.state(option).trimmed();
    if (isAccount(logic, option)) {
        if (const QString advice = IBANAdvies(state); !advice.isEmpty())
            return {advice, true};
        if (IsGeldigIBAN(state))
            if (const QString bic = IBANNaarBIC(state); !bic.isEmpty())
                return {u"BIC: "_s + bic};
    }
    if (logic.screen().options[size_t(option)].control == kCreditorId)
        return {incassantIdAdvice(state, kvkNumber(logic)), true};
    return {};
}

// A batch number the next batch starts from.
Option batchStart(const QString &name)
{
    Option option{name, {}, Control::Along, Place::UserGegevens, name, Encoding::Number};
    option.compute = [](const OptionsLogic &) { return u"0"_s; };
    return option;
}

} // namespace

QString incassantIdAdvice(const QString &incassantId, const QString &kvkNr)
{
    const QString id = QString(incassantId).remove(u' ').trimmed().toUpper();
    if (id.isEmpty())
        return {};
    const QString wrong = u"Let op: dit Incassant ID klopt niet; controleer het incasso-contract met uw bank."_s;
    const auto digits = id.size() > 7 ? lettersAsDigits(QString(id.mid(7) + id.left(4))) : std::nullopt;
    if (!digits || ModuloGroot(*digits, 97) != 1)
        return wrong;
    if (id.startsWith(u"NL")) {
        const QString national = id.mid(7);
        if (id.size() != 19 || std::any_of(national.begin(), national.end(), [](QChar c) { return !c.isDigit(); }))
            return wrong;
        if (!kvkNr.isEmpty() && national.left(8) != kvkNr)
            return u"Let op: het KvK-nummer in dit Incassant ID is niet "_s + kvkNr + u" uit de bedrijfsgegevens."_s;
    }
    return {};
}

options::OptionScreen incassoBetalen()
{
    Option collectTo = field(1, u"Incasso rekening:"_s, Place::UserGegevens, u"IncassoRekening"_s);
    collectTo.encoding = Encoding::BankAccount;
    Option creditorId = field(2, u"Incassant ID:"_s, Place::UserGegevens, u"IncassantID"_s);
    creditorId.encoding = Encoding::Compact;
    creditorId.note = u"( Uw Incassant ID staat op het incasso-contract met uw bank )"_s;
    Option payFrom = field(4, u"Betaalrekening:"_s, Place::UserGegevens, u"BetaalRekening"_s);
    payFrom.encoding = Encoding::BankAccount;
    Option batch{u"combo 0"_s, u"Kenmerk batchgewijs boeken:"_s, Control::Combo, Place::UserGegevens, u"BatchBooking"_s,
                 Encoding::Item, {u"Ja"_s, u"Nee"_s, u"Kenmerk overslaan"_s}, {u"0"_s, u"1"_s, u"2"_s}};
    batch.note = u"( informeer bij uw bank welke instellingen u moet gebruiken  )"_s;

    // In the order the batch programs read them.
    options::OptionScreen screen{u"frmIncassoBetalen"_s, u"Incasseren && Betalen"_s, {}, {
        heading(u"Incasseren"_s),
        field(0, u"Naam opdrachtgever:"_s, Place::UserGegevens, u"IncassantNaam"_s),
        collectTo,
        creditorId,
        batchStart(u"IncassoNr"_s),
        heading(u"Betalen"_s),
        field(3, u"Naam opdrachtgever:"_s, Place::UserGegevens, u"BetaalNaam"_s),
        payFrom,
        batchStart(u"BetaalNr"_s),
        batch,
    }};
    screen.onlyWithRecord = true;
    screen.leave = leave;
    screen.check = accountsCorrect;
    screen.remark = remark;
    return screen;
}

} // namespace kv::finance

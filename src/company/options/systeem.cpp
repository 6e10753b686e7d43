// The number series and the fixed ledger accounts of the administration.
#include "company/options/optionscreens.h"

#include "editing/numbers.h"
#include "editing/options/optionslogic.h"
#include "editing/options/rows.h"

using namespace Qt::StringLiterals;

namespace kv::company {
namespace {

using namespace options::rows;

const QString kBalie = u"BalieVerkoopInstellingen"_s;

// A digit count; shown as `fallback` when nothing sensible is stored, locked while `inUse` has
// records (the numbers already given out have this many digits).
Option digits(int n, const QString &caption, const QString &name, const QString &fallback, const QString &inUse = {})
{
    Option option = field(n, caption, Place::UserGegevens, name, Control::Number);
    option.fallback = fallback;
    option.lockedWhile = inUse;
    return option;
}

// The next number of a series, zero-filled to the digit count in `width`. With `own` the
// workstation may keep its own next number in the registry (Eigen...), switched by UseEigen...
Option counter(int n, const QString &caption, const QString &name, const QString &width, const QString &own = {})
{
    Option option = field(n, caption, Place::UserGegevens, name);
    option.encoding = Encoding::Counter;
    option.width = width;
    if (!own.isEmpty()) {
        option.fallback = u"1"_s;
        option.switchName = u"UseEigen"_s + own;
        option.workstationName = u"Eigen"_s + own;
    }
    return option;
}

// A column a save of the screen always leaves holding `value`.
Option constant(const QString &name, const QString &value)
{
    return {name, {}, Control::Along, Place::UserGegevens, name, Encoding::Item, {}, {value}};
}

// A column that holds a copy of what the control `of` stores.
Option copy(const QString &of, const QString &name)
{
    Option option{name, {}, Control::Along, Place::UserGegevens, name, Encoding::Text};
    option.follows = of;
    return option;
}

Option account(int n, const QString &caption, const QString &name)
{
    return {u"field %1"_s.arg(n), caption, Control::Account, Place::UserGegevens, name, Encoding::Text};
}

// A digit count outside 1 to 15 (the width of the number fields) cannot be used.
QString digitCountsFit(const options::OptionsLogic &logic)
{
    for (const Option &option : logic.screen().options) {
        if (!option.fallback.isEmpty() && option.encoding == Encoding::Number) {
            const double count = Val(logic.stateOf(option.control));
            if (count < 1 || count > 15)
                return u"Het aantal posities moet tussen 1 en 15 liggen.\n\nVeld: "_s + QString(option.caption).remove(u':');
        }
    }
    return {};
}

} // namespace

options::OptionScreen systeem()
{
    Option receiptDigits = inTable(kBalie, digits(12, u"Baliebonnummers:"_s, u"Positiesbaliebonnr"_s, u"5"_s));
    Option receipt = inTable(kBalie, counter(7, u"Volgend baliebonnummer:"_s, u"baliebonnr"_s, u"field 12"_s));
    receipt.encoding = Encoding::CounterNotZero;
    Option password = inTable(kBalie, constant(u"Paswoordbalie"_s, {})); // saving these settings clears it
    password.secret = true;
    options::OptionScreen screen{u"frmSysteem"_s, u"Systeem"_s, {}, {
        heading(u"Aantal posities"_s),
        digits(0,  u"Boekstuknummers:"_s,          u"PositiesBoeknr"_s,   u"6"_s, u"GrootboekMutaties"_s),
        digits(1,  u"Relatienummers:"_s,           u"PositiesRelnr"_s,    u"6"_s, u"RelatieGegevens"_s),
        digits(2,  u"Artikelnummers:"_s,           u"PositiesArtnr"_s,    u"6"_s, u"Artikelen"_s),
        digits(3,  u"Factuurnummers:"_s,           u"PositiesFactnr"_s,   u"8"_s, u"FaktuurMutaties"_s),
        digits(4,  u"Ordernummers:"_s,             u"PositiesOrdnr"_s,    u"8"_s, u"Ordergegevens"_s),
        digits(5,  u"Magazijnbonnummers:"_s,       u"PositiesMagBon"_s,   u"8"_s),
        digits(6,  u"Bestelnummers:"_s,            u"PositiesBestelNr"_s, u"8"_s),
        digits(9,  u"Grootboekrekeningnummers:"_s, u"PositiesGrbnr"_s,    u"5"_s, u"RekeningSchema"_s),
        receiptDigits,
        heading(u"Volgende nummers"_s),
        counter(8,  u"Volgend relatienummer:"_s,     u"RelatieNr"_s,     u"field 1"_s, u"RelNr"_s),
        constant(u"RelNrInc"_s, u"1"_s),
        counter(10, u"Volgend ordernummer:"_s,       u"OrderNummer"_s,   u"field 4"_s, u"OrderNr"_s),
        constant(u"Ordernrinc"_s, u"1"_s),
        counter(11, u"Volgend magazijnbonnummer:"_s, u"MagazijnBonNr"_s, u"field 5"_s, u"MagBonNr"_s),
        constant(u"MagBonInc"_s, u"1"_s),
        counter(13, u"Volgend bestelnummer:"_s,      u"BestelNr"_s,      u"field 6"_s),
        receipt,
        heading(u"Grootboekrekeningen"_s),
        account(20, u"Debiteuren:"_s,                u"GrbRekDebiteuren"_s),
        account(21, u"Crediteuren:"_s,               u"GrbRekCrediteuren"_s),
        account(22, u"Betalingsverschillen:"_s,      u"GrbRekBetVerschil"_s),
        account(23, u"Korting hoog BTW-tarief:"_s,   u"GrbRekKortingHoog"_s),
        account(24, u"Korting laag BTW-tarief:"_s,   u"GrbRekKortingLaag"_s),
        account(25, u"Korting nul BTW-tarief:"_s,    u"GrbRekKortingNul"_s),
        account(26, u"Resultatenrekening:"_s,        u"GrbRekResultaat"_s),
        account(27, u"Uitzoekrekening:"_s,           u"GrbRekUitzoeken"_s),
        inTable(kBalie, account(28, u"Kas:"_s,       u"GrbRekKas"_s)),
        inTable(kBalie, account(29, u"PIN:"_s,       u"GrbRekPin"_s)),
        // The counter sale reads these accounts from its own record.
        inTable(kBalie, copy(u"field 20"_s, u"GrbRekDebiteuren"_s)),
        inTable(kBalie, copy(u"field 23"_s, u"GrbRekKortingHoog"_s)),
        inTable(kBalie, copy(u"field 24"_s, u"GrbRekKortingLaag"_s)),
        inTable(kBalie, copy(u"field 25"_s, u"GrbRekKortingNul"_s)),
        password,
    }};
    screen.onlyWithRecord = true;
    screen.check = digitCountsFit;
    return screen;
}

} // namespace kv::company

#include "finance/subadmin/subadmin.h"

#include "core/context.h"
#include "editing/options/optionslogic.h"
#include "editing/options/optionsscreen.h"
#include "editing/options/rows.h"

#include <QDialog>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

using namespace options::rows;
using options::OptionsLogic;

// The screen's two groups and the Sorbex choice are parts of the values below them.
const QString kKept = u"choice 1"_s, kKind = u"choice 2"_s, kSorbex = u"choice 3"_s;
const QString kOnline = u"cmdSorbexOnline"_s;

// A value of `UserGegevens` made from the choices on the screen.
Option computed(const QString &name, Encoding encoding, std::function<QString(const OptionsLogic &)> compute)
{
    Option option{name, {}, Control::Along, Place::UserGegevens, name, encoding};
    option.compute = std::move(compute);
    return option;
}

// A group of choices that stores nothing itself.
Option group(const QString &control, const QString &key, const QStringList &items,
             std::function<QString(const OptionsLogic &)> shownFrom)
{
    Option option{control, {}, Control::Choice, Place::Screen, key, Encoding::Item, items};
    option.shownFrom = std::move(shownFrom);
    return option;
}

// 0 none, 1 debtors and creditors, 2 with Sorbex; any other kind reads as none.
int kind(const OptionsLogic &logic)
{
    const int stored = logic.stateOf(u"Subadminsoort"_s).toInt();
    return stored == 1 || stored == 2 ? stored : 0;
}

QString kindChosen(const OptionsLogic &logic)
{
    if (logic.stateOf(kKept) != u"1")
        return u"0"_s;
    return logic.stateOf(kKind) == u"1" ? u"2"_s : u"1"_s;
}

QString sorbexChosen(const OptionsLogic &logic)
{
    if (logic.stateOf(u"SorbexLokaal"_s) == u"on")
        return u"0"_s;
    return logic.stateOf(u"SorbexOnline"_s) == u"on" ? u"1"_s : QString();
}

QString sorbexNeedsAChoice(const OptionsLogic &logic)
{
    return kindChosen(logic) == u"2" && logic.stateOf(kSorbex).isEmpty()
        ? u"Kies of Sorbex lokaal of als Sorbex Online wordt gebruikt."_s : QString();
}

// The second group and the Sorbex choice only mean something with a sub-administration.
bool enabled(const OptionsLogic &logic, int option)
{
    const QString &control = logic.screen().options[size_t(option)].control;
    return (control != kKind && control != kSorbex && control != kOnline) || logic.stateOf(kKept) == u"1";
}

void openOnline(Context &ctx, QWidget *parent)
{
    static const options::OptionScreen table = sorbexOnline();
    QDialog window(parent);
    window.setWindowTitle(table.caption);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *screen = new options::OptionsScreen(ctx, table);
    layout->addWidget(screen);
    QObject::connect(screen, &options::OptionsScreen::saved, &window, &QDialog::accept);
    window.setMinimumWidth(640);
    window.adjustSize();
    window.exec();
}

} // namespace

options::OptionScreen subAdministratie()
{
    Option online{kOnline, u"Configureer gebruikersprofiel Sorbex Online..."_s, Control::Button, Place::UserGegevens, {},
                  Encoding::Text};
    online.action = openOnline;

    options::OptionScreen screen{u"frmSubAdministratie"_s, u"Subadministratie"_s, {}, {
        computed(u"Subadminsoort"_s, Encoding::Number, kindChosen),
        computed(u"SorbexLokaal"_s, Encoding::DbMinus10,
                 [](const OptionsLogic &logic) { return logic.stateOf(kSorbex) == u"0" ? u"on"_s : u"off"_s; }),
        computed(u"SorbexOnline"_s, Encoding::DbMinus10,
                 [](const OptionsLogic &logic) { return logic.stateOf(kSorbex) == u"1" ? u"on"_s : u"off"_s; }),
        group(kKept, u"Subadministratie"_s,
              {u"Geen subadministratie bijhouden"_s, u"In deze administratie wordt een subadministratie bijgehouden"_s},
              [](const OptionsLogic &logic) { return kind(logic) == 0 ? u"0"_s : u"1"_s; }),
        group(kKind, u"Integratie"_s,
              {u"Wij gebruiken een debiteuren / crediteuren subadministratie"_s,
               u"Wij gebruiken naast de debiteuren / crediteuren administratie ook de integratie Sorbex"_s},
              [](const OptionsLogic &logic) { return kind(logic) == 2 ? u"1"_s : u"0"_s; }),
        group(kSorbex, u"Sorbex"_s,
              {u"Sorbex is geïnstalleerd op een lokale PC of in ons (bedrijfs)netwerk "_s,
               u"Sorbex Online ( webapplicatie )"_s},
              sorbexChosen),
        online,
        dbToggle(0,
                 u"Boeking toestaan op subadministratie-grootboekrekening zonder boeking in de subadministratie debiteuren of crediteuren (niet aanbevolen)"_s,
                 u"SubadminBoeking"_s),
        regToggle(1, u"Bij journaalpostcorrecties, nooit opnieuw doorboeken naar Sorbex of Sorbex Online"_s,
                  u"SorbexCorrectieBlockDoorboeken"_s),
        regToggle(2, u"Bij correcties, naast het boekstuknummer ook controleren op de boekdatum"_s,
                  u"SorbexCorrectieBoekdatum"_s),
    }};
    screen.check = sorbexNeedsAChoice;
    screen.enabled = enabled;
    return screen;
}

options::OptionScreen sorbexOnline()
{
    Option password = field(1, u"Wachtwoord:"_s, Place::UserGegevens, u"Toegangscode"_s);
    Option key = field(2, u"Sleutel (PIN):"_s, Place::UserGegevens, u"PINcode"_s);
    for (Option *secret : {&password, &key})
        secret->masked = secret->secret = true;
    options::OptionScreen screen{u"frmSubAdministratieSorbexOnline"_s, u"Configureer gebruikersprofiel Sorbex Online..."_s,
                                 u"Let op: U kunt niet tegelijk actief zijn in KorvenalPro als in Sorbex Online!\n\n"
                                 u"Geef hieronder uw gegevens in zoals u die gebruikt om u aan te melden bij Sorbex Online"_s,
                                 {field(0, u"Gebruikersnaam:"_s, Place::UserGegevens, u"InlogNaam"_s), password, key}};
    screen.onlyWithRecord = true;
    return screen;
}

} // namespace kv::finance

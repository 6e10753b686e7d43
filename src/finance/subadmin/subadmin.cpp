#include "finance/subadmin/subadmin.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/registry/registry.h"
#include "editing/options/optionslogic.h"
#include "editing/options/optionsscreen.h"
#include "editing/options/rows.h"
#include "finance/subadmin/sorbexscan.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

using namespace options::rows;
using options::OptionsLogic;

// The screen's two groups and the Sorbex choice are parts of the values below them.
const QString kKept = u"choice 1"_s, kKind = u"choice 2"_s, kSorbex = u"choice 3"_s;
const QString kOnline = u"cmdSorbexOnline"_s, kLocal = u"cmdSorbexLokaal"_s;
// The link window's folder and administration.
const QString kFolder = u"folder 0"_s, kData = u"combo 1"_s;

const QString kNotFound = u"Sorbex is op deze computer niet gevonden. Kies de folder waar Sorbex is geïnstalleerd."_s;

// Where Sorbex was installed on this computer, as its installer noted; "" when it was not.
QString installedSorbex(Context &ctx)
{
    return ctx.registry->LeesRegistry(u"Software\\Velmo\\Sorbex\\CurrentVersion", u"RootDir").trimmed();
}

// The folder this administration links to: the one chosen, else the installation's.
QString linkedFolder(Context &ctx)
{
    const QString chosen = ctx.registry->LeesRegistry(RegKeyKorvenal, regNameCodeLast(ctx.AdminCode, u"VVBRootPath")).trimmed();
    return chosen.isEmpty() ? installedSorbex(ctx) : chosen;
}

// Why the folder cannot be linked, "" when it can. Looking for the first administration is
// enough: a large installation takes seconds to read whole.
QString linkFault(const QString &folder)
{
    if (!isSorbexMap(folder))
        return u"In deze folder is Sorbex niet geïnstalleerd."_s;
    return sorbexAdministraties(folder, 1).empty() ? u"Er kon geen administratie van Sorbex gevonden worden in de opgegeven folder."_s
                                                   : QString();
}

// Whether `map` is one of the administrations of the installation in `folder`.
bool administrationOf(const QString &folder, const QString &map)
{
    const QFileInfo info(QDir::fromNativeSeparators(map.trimmed()));
    return info.fileName().size() == 6
        && QDir::cleanPath(info.absolutePath()).compare(QDir::cleanPath(QDir::fromNativeSeparators(folder) + u"/data"_s),
                                                        Qt::CaseInsensitive) == 0
        && sorbexAdministratie(folder, map).has_value();
}

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
    return (control != kKind && control != kSorbex && control != kOnline && control != kLocal) || logic.stateOf(kKept) == u"1";
}

// Under "Configureer koppeling...", with Sorbex on this computer chosen: the administration
// linked, or where to start.
options::Remark linkShown(const OptionsLogic &logic, int option)
{
    if (logic.screen().options[size_t(option)].control != kLocal || logic.stateOf(kSorbex) != u"0")
        return {};
    Context &ctx = logic.context();
    const QString data = ctx.registry->LeesRegistry(RegKeyKorvenal, regNameCodeLast(ctx.AdminCode, u"VVBDataPath")).trimmed();
    const QString folder = linkedFolder(ctx);
    if (!data.isEmpty())
        if (const std::optional<SorbexAdministratie> linked = sorbexAdministratie(folder, data))
            return {linked->getoond()};
    return {folder.isEmpty() ? kNotFound : QString()};
}

// A screen of its own in a window; its save button closes it.
void openWindow(Context &ctx, QWidget *parent, const options::OptionScreen &table)
{
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
    Option local{kLocal, u"Configureer koppeling..."_s, Control::Button, Place::UserGegevens, {}, Encoding::Text};
    local.action = [](Context &ctx, QWidget *parent) {
        static const options::OptionScreen table = sorbexLokaal();
        openWindow(ctx, parent, table);
    };
    Option online{kOnline, u"Configureer gebruikersprofiel Sorbex Online..."_s, Control::Button, Place::UserGegevens, {},
                  Encoding::Text};
    online.action = [](Context &ctx, QWidget *parent) {
        static const options::OptionScreen table = sorbexOnline();
        openWindow(ctx, parent, table);
    };

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
        local,
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
    screen.remark = linkShown;
    return screen;
}

options::OptionScreen sorbexLokaal()
{
    Option folder = perAdministration(options::rows::folder(0, u"Folder van Sorbex:"_s, u"VVBRootPath"_s));
    folder.dialogTitle = u"Selecteer de folder waar Sorbex is geïnstalleerd..."_s;
    folder.spaceWhenEmpty = true;
    folder.fallbackOf = [](const OptionsLogic &logic) { return installedSorbex(logic.context()); };
    Option data{kData, u"Gebruik administratie:"_s, Control::Combo, Place::Registry, u"VVBDataPath"_s, Encoding::Text};
    data.perAdministration = true;
    data.entriesFollow = kFolder;
    data.entries = [](const OptionsLogic &logic) {
        const QString chosen = logic.stateOf(kFolder).trimmed();
        std::vector<Option::Entry> entries;
        for (const SorbexAdministratie &administratie : isSorbexMap(chosen) ? sorbexAdministraties(chosen)
                                                                           : std::vector<SorbexAdministratie>())
            entries.push_back({administratie.getoond(), administratie.map});
        return entries;
    };

    options::OptionScreen screen{u"frmSubAdministratieSorbexLokaal"_s, u"Configureer koppeling..."_s, {}, {
        folder,
        data,
        regToggle(2, u"Automatisch bedrag en periode bij betaling bepalen."_s, u"VVBAutoBedragPeriode"_s),
        regToggle(3, u"Banknummer verwerken binnen de bijdrage-administratie."_s, u"VVBBankGiroUpdate"_s),
        regToggle(4, u"Betaalwijze verwerken binnen de bijdrage-administratie."_s, u"VVBBetaalWijzeUpdate"_s),
    }};
    // A folder is taken when Sorbex is there with an administration; the first of them is
    // proposed unless the one chosen is among them.
    screen.leave = [](OptionsLogic &logic, int option) {
        if (logic.screen().options[size_t(option)].control != kFolder)
            return true;
        const QString chosen = logic.stateOf(kFolder).trimmed();
        if (chosen.isEmpty()) {
            logic.setState(logic.indexOf(kData), {});
            return true;
        }
        if (const QString fault = linkFault(chosen); !fault.isEmpty()) {
            logic.context().dialogs->MsgBox(fault, mb::Exclamation);
            return false;
        }
        if (!administrationOf(chosen, logic.stateOf(kData)))
            logic.setState(logic.indexOf(kData), sorbexAdministraties(chosen, 1).front().map);
        return true;
    };
    screen.check = [](const OptionsLogic &logic) {
        const QString chosen = logic.stateOf(kFolder).trimmed();
        if (chosen.isEmpty() || (isSorbexMap(chosen) && administrationOf(chosen, logic.stateOf(kData))))
            return QString();
        const QString fault = linkFault(chosen);
        return fault.isEmpty() ? u"Kies een administratie van Sorbex uit de lijst."_s : fault;
    };
    screen.remark = [](const OptionsLogic &logic, int option) {
        return options::Remark{logic.screen().options[size_t(option)].control == kFolder && logic.stateOf(kFolder).trimmed().isEmpty()
                                   ? kNotFound : QString()};
    };
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

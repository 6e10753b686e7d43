// The links with other programs and services: where exchange files are written and read, and
// the codes those programs expect. Nearly all of it differs per administration.
#include "company/options/optionscreens.h"

#include "editing/options/optionslogic.h"
#include "editing/options/rows.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kv::company {
namespace {

using namespace options::rows;
using options::OptionScreen;
using options::OptionsLogic;

// A folder of this administration, typed or picked; empty: the link is not used.
// A rule for each of `controls`: what is typed there (trimmed) must be `acceptable`, else
// "Vul bij "<caption>" " + `wanted`.
std::function<QString(const OptionsLogic &)> eachField(QStringList controls, bool (*acceptable)(const QString &), QString wanted)
{
    return [=](const OptionsLogic &logic) -> QString {
        for (const QString &control : controls)
            if (!acceptable(logic.stateOf(control).trimmed()))
                return u"Vul bij \""_s + logic.screen().options[size_t(logic.indexOf(control))].caption + u"\" "_s + wanted;
        return QString();
    };
}

Option map(int n, const QString &caption, const QString &name, const QString &title)
{
    Option option = perAdministration(folder(n, caption, name));
    option.dialogTitle = title;
    return option;
}

// A file of this administration the export writes, picked in a save dialog.
Option bestand(int n, const QString &caption, const QString &name, const QString &title)
{
    Option option{u"file %1"_s.arg(n), caption, Control::File, Place::Registry, name, Encoding::Text};
    option.perAdministration = true;
    option.dialogTitle = title;
    option.filter = u"Exportbestanden (*.csv;*.txt) | *.csv;*.txt"_s;
    return option;
}

Option text(int n, const QString &caption, const QString &name, Control kind = Control::Text)
{
    return perAdministration(field(n, caption, Place::Registry, name, kind));
}

// Every folder the screen names must be there; the import and the archive folder (when the
// screen has both) must be two folders, or an import would be read again from its archive.
OptionScreen withFolderRules(OptionScreen screen, const QString &import = {}, const QString &archive = {})
{
    screen.check = [import, archive](const OptionsLogic &logic) -> QString {
        const std::vector<Option> &options = logic.screen().options;
        for (int i = 0; i < int(options.size()); ++i) {
            const QString path = logic.state(i).trimmed();
            if (options[size_t(i)].kind == Control::Folder && !path.isEmpty() && !QFileInfo(path).isDir())
                return u"De map bestaat niet:\r\n"_s + path;
        }
        if (import.isEmpty())
            return QString();
        const QString from = QDir::cleanPath(logic.stateOf(import).trimmed());
        const QString to = QDir::cleanPath(logic.stateOf(archive).trimmed());
        if (!from.isEmpty() && from.compare(to, Qt::CaseInsensitive) == 0)
            return u"De importmap en de archiefmap moeten verschillen."_s;
        return QString();
    };
    return screen;
}

// A screen of one exchange folder of this administration, picked in a folder dialog titled as
// the field's caption without its colon.
OptionScreen folderScreen(const QString &screen, const QString &caption, const QString &intro, const QString &field,
                          const QString &name)
{
    return withFolderRules({screen, caption, intro, {map(0, field, name, field.chopped(1))}});
}

OptionScreen exact()
{
    OptionScreen screen{u"frmExact"_s, u"Exact"_s,
        u"De relaties en de financiële mutaties van deze administratie worden als bestanden voor Exact "
        u"geschreven. Kies waar elk bestand komt en vul de codes in die Exact bij het inlezen verwacht."_s, {
        heading(u"Relaties"_s),
        bestand(0, u"Debiteurenbestand:"_s,      u"ExactDebiteurBestand-"_s,  u"Debiteurenbestand voor Exact"_s),
        bestand(1, u"Crediteurenbestand:"_s,     u"ExactCrediteurBestand-"_s, u"Crediteurenbestand voor Exact"_s),
        heading(u"Financieel"_s),
        bestand(2, u"Financieel bestand:"_s,     u"ExactFinancieelBestand-"_s, u"Financieel bestand voor Exact"_s),
        text(0,    u"Dagboek verkoop:"_s,        u"ExactFinancieelDagboek-"_s),
        text(1,    u"Dagboek inkoop:"_s,         u"ExactFinancieelDagboekInkoop-"_s),
        text(2,    u"Boekstuknummer:"_s,         u"ExactFinancieelBoekstukNr-"_s, Control::Number),
        text(3,    u"Divisie:"_s,                u"ExactFinancieelDivisie-"_s,    Control::Number),
        text(4,    u"Relatienummer fiscus:"_s,   u"ExactFinancieelRelNrFiscus-"_s),
    }};
    screen.check = eachField({u"field 2"_s, u"field 3"_s}, [](const QString &typed) { return !typed.startsWith(u'-'); },
                             u"alleen cijfers in."_s);
    return screen;
}

OptionScreen google()
{
    Option key = field(0, u"API-sleutel:"_s, Place::Registry, u"GoogleAPIKey"_s);
    key.masked = true;
    key.secret = true;
    OptionScreen screen{u"frmGoogle"_s, u"Google"_s,
        u"Met een eigen API-sleutel van Google worden adressen opgezocht en routes en afstanden berekend. "
        u"De sleutel geldt voor deze gebruiker op dit werkstation."_s, {
        regToggle(0, u"Eigen Google API-sleutel gebruiken"_s, u"UseGoogleAPIKey"_s),
        key,
    }};
    screen.check = [](const OptionsLogic &logic) -> QString {
        if (logic.stateOf(u"toggle 0"_s) == u"on" && logic.stateOf(u"field 0"_s).trimmed().isEmpty())
            return u"Geef de API-sleutel in of zet het gebruik uit."_s;
        return QString();
    };
    return screen;
}

OptionScreen ubl()
{
    return withFolderRules({u"frmFacturen_UBL"_s, u"UBL facturen"_s,
        u"Inkoopfacturen in UBL-formaat worden uit de importmap gelezen en na verwerking naar de "
        u"archiefmap verplaatst. Een factuurregel zonder eigen grootboekrekening wordt op de standaard "
        u"grootboekrekening geboekt."_s, {
        map(0, u"Importmap:"_s,  u"UBLImportPath-"_s,  u"Importmap voor UBL facturen"_s),
        map(1, u"Archiefmap:"_s, u"UBLArchiefPath-"_s, u"Archiefmap voor UBL facturen"_s),
        perAdministration({u"field 0"_s, u"Standaard grootboekrekening:"_s, Control::Account, Place::Registry,
                           u"UBLStandaardGrootboek-"_s, Encoding::Text}),
    }}, u"folder 0"_s, u"folder 1"_s);
}

// ReadSoft and the FM module read and write the same exchange folders.
OptionScreen readsoft(const QString &screen, const QString &caption)
{
    return withFolderRules({screen, caption,
        u"Relaties en grootboekrekeningen worden naar de exportmap geschreven; herkende facturen worden "
        u"uit de importmap gelezen en na verwerking in de archiefmap bewaard."_s, {
        map(0, u"Exportmap:"_s,  u"ReadsoftExportPath-"_s,  u"Exportmap"_s),
        map(1, u"Importmap:"_s,  u"ReadsoftImportPath-"_s,  u"Importmap"_s),
        map(2, u"Archiefmap:"_s, u"ReadsoftArchiefPath-"_s, u"Archiefmap"_s),
    }}, u"folder 1"_s, u"folder 2"_s);
}

OptionScreen fourage()
{
    Option soort{u"combo 0"_s, u"Factuursoort mineralen:"_s, Control::Combo, Place::Registry,
                 u"MineraalFactuurType"_s, Encoding::CodeKey};
    soort.codeTable = u"TabelFactuurSoorten"_s;
    OptionScreen screen{u"frmFourage"_s, u"Fourage"_s,
        u"De gegevens die op de vervoersbewijzen voor mest en mineralen worden afgedrukt, en hoe "
        u"voerleveranties worden gefactureerd."_s, {
        heading(u"VIHB"_s),
        field(0, u"VIHB-nummer:"_s,  Place::Registry, u"VIHBnr"_s),
        field(1, u"VIHB-code:"_s,    Place::Registry, u"VIHBcode"_s),
        field(2, u"Aantal VIHB:"_s,  Place::Registry, u"VIHBAantal"_s, Control::Number),
        heading(u"Vervoersbewijs dierlijke meststoffen (VDM)"_s),
        field(3, u"Laboratorium:"_s, Place::Registry, u"VDMLab"_s),
        field(4, u"Linkerdeel:"_s,   Place::Registry, u"VDMLinkerDeel"_s),
        field(5, u"Rechterdeel:"_s,  Place::Registry, u"VDMRechterDeel"_s),
        field(6, u"Aantal VDM:"_s,   Place::Registry, u"VDMAantal"_s, Control::Number),
        heading(u"Facturen"_s),
        soort,
        regToggle(0, u"Bij voerleveranties het afleveradres gebruiken"_s, u"VoerLeverantieAfleverAdres"_s),
    }};
    screen.check = eachField({u"field 2"_s, u"field 6"_s},
                             [](const QString &typed) { return typed.isEmpty() || (typed.toInt() >= 0 && typed.toInt() <= 99); },
                             u"een aantal van 0 tot en met 99 in."_s);
    return screen;
}

// Without a menu row of its own: set through the tool.
OptionScreen orderRelgegevens()
{
    return {u"frmOrderRelgegevens"_s, u"Relatiegegevens bij orders"_s,
        u"Bij het kiezen van de relatie van een order kunnen ook de afleveradressen worden getoond."_s, {
        regToggle(0, u"Afleveradressen tonen bij het kiezen van een relatie"_s, u"RelQueryAfleverAdres"_s),
    }};
}

} // namespace

std::vector<options::OptionScreen> koppelingen()
{
    return {exact(),
            folderScreen(u"frmFacturenKopie"_s, u"Facturen"_s,
                         u"Van elke factuur van deze administratie wordt een kopie in deze map bewaard. Laat de map leeg "
                         u"om geen kopieën te bewaren."_s,
                         u"Map voor kopiefacturen:"_s, u"FactuurKopiePath-"_s),
            google(),
            ubl(),
            readsoft(u"frmFacturen_ReadSoft"_s, u"ReadSoft"_s),
            readsoft(u"frmFacturen_FMModule"_s, u"FM Module"_s),
            fourage(),
            folderScreen(u"frmAgroVision"_s, u"Agrovision"_s,
                         u"De geselecteerde orders worden als AgroConnect XML-bestanden in deze map geschreven, waar "
                         u"Agrovision ze ophaalt."_s,
                         u"Map voor AgroConnect XML:"_s, u"PathXMLAgroConnect-"_s),
            folderScreen(u"frmTrimble"_s, u"Trimble - FleetWorks"_s,
                         u"De transportopdrachten voor Trimble FleetWorks worden in deze map geschreven."_s,
                         u"Map voor transportopdrachten:"_s, u"PathTransportOpdrachten-"_s),
            orderRelgegevens()};
}

} // namespace kv::company

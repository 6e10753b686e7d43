// korvenal-admin: the unattended jobs of an administrator.
//   korvenal-admin new <folder> [--password <password>] [--grondstof]
//   korvenal-admin demo <folder> [--password <password>]
//   korvenal-admin demo-sorbex <folder>
//   korvenal-admin koppelingen <folder>
//   korvenal-admin opties <folder> [<formulier> [--ja] <sleutel>=<waarde>... | <formulier> --ongedaan [--ja]]
//   korvenal-admin perioden <folder> [--genereer jaar|kwartaal|maand|week [--geforceerd]]
//   korvenal-admin btwcontrole <folder> [--van ddmmjjjj --tot ddmmjjjj]
//   korvenal-admin correctie <folder> [--boekdatum] [--periode] [--betaaldatum] [--proef]
//   korvenal-admin auditfile <folder> <file> [--zonder-beginbalans] [--kostenplaatsen] [--btw]
//   korvenal-admin auditfile-controle <file>
//   korvenal-admin afschrijvingen <folder> <year> [--activum <nr>]
//   korvenal-admin archiveren <folder> <date> [--ook-onverwerkt] --proef|--ja
//   korvenal-admin opschonen <folder> <date|year> --proef|--ja
//   korvenal-admin archief-verwijderen <folder> <date> --proef|--ja [--bewaartermijn]
//   korvenal-admin relaties-verwijderen <folder> --proef|--ja [--bewaartermijn]
//   korvenal-admin facturen-verwijderen <folder> <date> [--alleen-balie] --proef|--ja [--bewaartermijn]
//   korvenal-admin alle-facturen-verwijderen <folder> --ik-weet-wat-ik-doe --niet-per-ongeluk --proef|--ja [--bewaartermijn]
//   korvenal-admin jaar-verwijderen <folder> balie|ritten|inslag <year> --proef|--ja [--bewaartermijn]
//   korvenal-admin email <folder> server [naam=waarde...] | verbinding | test <nr> <adres>
//   korvenal-admin printers [--details]
//   korvenal-admin afdrukken <folder> loslijst|leveringenlijst <date> [<t/m>] [--printer --formaat --lade
//                  --orientatie --zijden --kopieen | --pdf <file>]
//   korvenal-admin exporteer <folder> <lijst> <file.xlsx|file.csv> [--datum <date> [--tot <date>]] [--zoek <text>]
//   korvenal-admin importeer <source folder> <new folder>
#include "app/optionscreens.h"
#include "editing/options/optionsjob.h"
#include "finance/assets/assetsjob.h"
#include "finance/auditfile/auditfilejob.h"
#include "finance/correction/correctionjob.h"
#include "finance/periods/periodsjob.h"
#include "finance/vat/vatcheckjob.h"
#include "maintenance/maintenancejob.h"
#include "mail/emailjob.h"
#include "printing/printingjob.h"
#include "export/exportjob.h"
#include "migration/importjob.h"
#include "maintenance/ordergaps.h"
#include "printing/reports/dailylists.h"
#include "core/db/dberror.h"
#include "core/session/administration.h"
#include "demo/demoadministration.h"
#include "demo/sorbex.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    // Drawing a report needs fonts and a paint device: a GUI application without a screen.
    const bool drawing = std::any_of(argv + 1, argv + argc, [](const char *arg) { return std::strcmp(arg, "afdrukken") == 0; });
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        drawing ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvenal-admin"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Beheertaken van KorvenalPro zonder scherm."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("opdracht"),
                                 QStringLiteral("new: nieuwe lege administratie; demo: demonstratieadministratie; "
                                                "demo-sorbex: een Sorbex-installatie voor de koppeling; "
                                                "opties: instellingen van de optieschermen tonen of wijzigen; "
                                                "koppelingen: de mappen en bestanden van de koppelingen controleren; "
                                                "perioden: boekingsperioden tonen of opnieuw maken; "
                                                "btwcontrole: BTW codes en boekingen controleren voor de aangifte; "
                                                "correctie: boekingen na het einde van het boekjaar corrigeren; "
                                                "auditfile: de XML auditfile aanmaken; "
                                                "auditfile-controle: een XML auditfile aan het schema toetsen; "
                                                "afschrijvingen: de afschrijvingen van een jaar per activum en periode; "
                                                "archiveren: afgehandelde orders van voor een datum naar het archief; "
                                                "opschonen: alle orders van voor een datum of t/m een jaar naar het archief; "
                                                "archief-verwijderen: gearchiveerde orders van voor een datum definitief verwijderen; "
                                                "relaties-verwijderen: relaties die gekenmerkt staan om te verwijderen; "
                                                "facturen-verwijderen: betaalde facturen van voor een datum; "
                                                "alle-facturen-verwijderen: alle facturen en betalingen; "
                                                "jaar-verwijderen: balie orders, ritten of inslag/uitslag van een jaar; "
                                                "email: de e-mailserver tonen of instellen (server [server= poort= gebruiker= "
                                                "wachtwoord=|- ssl=ja|nee auth=0|1|2 extern=ja|nee]), de verbinding testen (verbinding), "
                                                "een testbericht sturen (test <nr> <adres>); "
                                                "printers: de printers met hun status (--details: ook papierformaten en laden); "
                                                "afdrukken: de loslijst of leveringenlijst van een of meer dagen afdrukken of als PDF opslaan; "
                                                "exporteer: een lijst (formulier zoals frmVerpakkingen, een codetabel, een zoeksoort met --zoek, "
                                                "frmLosLijst of frmLeveringenLijst met --datum) naar Excel (.xlsx) of CSV; "
                                                "importeer: een gegevensmap van de Windows-versie (Access-databases) "
                                                "overzetten naar een nieuwe administratie (importeer <bronmap> <doelmap>)"));
    parser.addPositionalArgument(QStringLiteral("map"), QStringLiteral("de gegevensmap van de administratie"));
    parser.addOption({QStringLiteral("password"), QStringLiteral("wachtwoord van de databases"), QStringLiteral("wachtwoord")});
    parser.addOption({QStringLiteral("grondstof"), QStringLiteral("maak ook de grondstoffendatabase")});
    parser.addOption({QStringLiteral("ongedaan"), QStringLiteral("opties: de laatste wijziging van het formulier ongedaan maken")});
    parser.addOption({QStringLiteral("ja"), QStringLiteral("opties: vragen van het formulier met Ja beantwoorden; archiveren, opschonen: uitvoeren")});
    parser.addOption({QStringLiteral("genereer"), QStringLiteral("perioden: de perioden opnieuw maken"), QStringLiteral("soort")});
    parser.addOption({QStringLiteral("geforceerd"), QStringLiteral("perioden: ook als er al boekingen in perioden staan")});
    parser.addOption({QStringLiteral("van"), QStringLiteral("btwcontrole: eerste dag"), QStringLiteral("datum")});
    parser.addOption({QStringLiteral("tot"), QStringLiteral("btwcontrole, exporteer: laatste dag"), QStringLiteral("datum")});
    parser.addOption({QStringLiteral("datum"), QStringLiteral("exporteer: de (eerste) dag van een lijst per dag"), QStringLiteral("datum")});
    parser.addOption({QStringLiteral("zoek"), QStringLiteral("exporteer: de zoektekst van een zoeksoort"), QStringLiteral("tekst")});
    parser.addOption({QStringLiteral("boekdatum"), QStringLiteral("correctie: boekingsdata na het einde van het boekjaar naar de laatste dag")});
    parser.addOption({QStringLiteral("periode"), QStringLiteral("correctie: ook de periode naar die van de laatste dag van het boekjaar")});
    parser.addOption({QStringLiteral("betaaldatum"), QStringLiteral("correctie: betaaldata na het einde van het boekjaar naar de laatste dag")});
    parser.addOption({QStringLiteral("proef"), QStringLiteral("correctie, archiveren, opschonen: alleen tellen wat zou veranderen, niets schrijven")});
    parser.addOption({QStringLiteral("ook-onverwerkt"), QStringLiteral("archiveren: ook onverwerkte, niet gefactureerde orders")});
    parser.addOption({QStringLiteral("bewaartermijn"), QStringLiteral("verwijderen: ook regels binnen de wettelijke bewaartermijn")});
    parser.addOption({QStringLiteral("alleen-balie"), QStringLiteral("facturen-verwijderen: alleen de betaalde baliefacturen")});
    parser.addOption({QStringLiteral("ik-weet-wat-ik-doe"), QStringLiteral("alle-facturen-verwijderen: ik weet wat ik doe")});
    parser.addOption({QStringLiteral("niet-per-ongeluk"), QStringLiteral("alle-facturen-verwijderen: ik doe dit niet per ongeluk")});
    parser.addOption({QStringLiteral("zonder-beginbalans"), QStringLiteral("auditfile: zonder beginbalans")});
    parser.addOption({QStringLiteral("kostenplaatsen"), QStringLiteral("auditfile: inclusief kostenplaatsen")});
    parser.addOption({QStringLiteral("btw"), QStringLiteral("auditfile: inclusief btw gegevens")});
    parser.addOption({QStringLiteral("activum"), QStringLiteral("afschrijvingen: alleen dit activum"), QStringLiteral("nr")});
    parser.addOption({QStringLiteral("details"), QStringLiteral("printers: ook papierformaten en laden met hun nummers")});
    const char *const printChoices[][2] = {{"printer", "afdrukken: de printer"}, {"formaat", "afdrukken: het papierformaat (naam of nummer)"},
                                           {"lade", "afdrukken: de papierlade (naam of nummer)"}, {"orientatie", "afdrukken: staand of liggend"},
                                           {"zijden", "afdrukken: enkelzijdig, horizontaal of verticaal"}, {"kopieen", "afdrukken: het aantal kopieën"},
                                           {"pdf", "afdrukken: als PDF-bestand opslaan in plaats van afdrukken"}};
    for (const auto &[name, description] : printChoices)
        parser.addOption({QLatin1String(name), QString::fromUtf8(description), QStringLiteral("waarde")});
    parser.process(*app);

    const QStringList args = parser.positionalArguments();
    if (args.value(0) == u"opties") {
        const int code = kv::options::runOptionsJob(args.mid(1), parser.isSet(QStringLiteral("ongedaan")),
                                                    parser.isSet(QStringLiteral("ja")), allOptionScreens());
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"koppelingen") {
        const int code = kv::options::runLinksJob(args.mid(1), allOptionScreens());
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"correctie") {
        const kv::finance::CorrectionChoice choice{parser.isSet(QStringLiteral("boekdatum")), parser.isSet(QStringLiteral("periode")),
                                                   parser.isSet(QStringLiteral("betaaldatum"))};
        const int code = kv::finance::runCorrectionJob(args.mid(1), choice, parser.isSet(QStringLiteral("proef")));
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"auditfile" || args.value(0) == u"auditfile-controle") {
        const kv::finance::auditfile::Opties opties{parser.isSet(QStringLiteral("zonder-beginbalans")),
                                                    parser.isSet(QStringLiteral("kostenplaatsen")), parser.isSet(QStringLiteral("btw"))};
        const int code = args[0] == u"auditfile" ? kv::finance::auditfile::runAuditfileJob(args.mid(1), opties)
                                                 : kv::finance::auditfile::runAuditfileCheckJob(args.mid(1));
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"afschrijvingen") {
        const int code = kv::finance::assets::runAssetsJob(args.mid(1), parser.value(QStringLiteral("activum")));
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"archiveren" || args.value(0) == u"opschonen") {
        const int code = kv::maintenance::runOrderMoveJob(
            args[0] == u"archiveren" ? kv::maintenance::OrderSelection::Job::Archiveren : kv::maintenance::OrderSelection::Job::Opschonen,
            args.mid(1), parser.isSet(QStringLiteral("ook-onverwerkt")), parser.isSet(QStringLiteral("proef")),
            parser.isSet(QStringLiteral("ja")));
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    using Deleting = kv::maintenance::DeletionRequest::Job;
    const std::map<QString, Deleting> deleting{{u"relaties-verwijderen"_s, Deleting::Relaties},
                                               {u"facturen-verwijderen"_s, Deleting::Facturen},
                                               {u"alle-facturen-verwijderen"_s, Deleting::AlleFacturen},
                                               {u"jaar-verwijderen"_s, Deleting::Jaar}};
    if (const auto job = deleting.find(args.value(0)); job != deleting.end()) {
        const auto set = [&](const char *name) { return parser.isSet(QLatin1String(name)); };
        const int code = kv::maintenance::runDeletionJob(
            job->second, args.mid(1),
            {set("proef"), set("ja"), set("bewaartermijn"), set("alleen-balie"), set("ik-weet-wat-ik-doe"), set("niet-per-ongeluk")});
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"printers")
        return kv::runPrintersJob(parser.isSet(QStringLiteral("details")));
    if (args.value(0) == u"afdrukken") {
        const auto value = [&](const char *name) { return parser.value(QLatin1String(name)); };
        const int code = kv::runPrintJob(args.mid(1), {value("printer"), value("formaat"), value("lade"), value("orientatie"),
                                                       value("zijden"), value("kopieen"), value("pdf")});
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"exporteer") {
        const int code = kv::exporting::runExportJob(
            args.mid(1), {{}, parser.value(QStringLiteral("datum")), parser.value(QStringLiteral("tot")), parser.value(QStringLiteral("zoek"))},
            {&kv::maintenance::findOrderGapsList, &kv::reports::findDailyList});
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"importeer") {
        const int code = kv::migration::runImportJob(args.mid(1));
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"email") {
        const int code = kv::runEmailJob(args.mid(1));
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.value(0) == u"archief-verwijderen") {
        const int code = kv::maintenance::runArchivePurgeJob(args.mid(1), parser.isSet(QStringLiteral("proef")),
                                                             parser.isSet(QStringLiteral("ja")), parser.isSet(QStringLiteral("bewaartermijn")));
        if (code == 64)
            parser.showHelp(64);
        return code;
    }
    if (args.size() != 2)
        parser.showHelp(64);
    if (args[0] == u"btwcontrole")
        return kv::finance::runVatCheckJob(args[1], parser.value(QStringLiteral("van")), parser.value(QStringLiteral("tot")));
    if (args[0] == u"perioden")
        return kv::finance::runPeriodsJob(args[1], parser.value(QStringLiteral("genereer")),
                                          parser.isSet(QStringLiteral("geforceerd")));
    try {
        if (args[0] == u"new")
            kv::createAdministratie(args[1], parser.value(QStringLiteral("password")), parser.isSet(QStringLiteral("grondstof")));
        else if (args[0] == u"demo")
            kv::demo::createDemoAdministratie(args[1], parser.value(QStringLiteral("password")));
        else if (args[0] == u"demo-sorbex")
            kv::demo::createSorbexInstallatie(args[1]);
        else
            parser.showHelp(64);
    } catch (const kv::db::DbError &e) {
        std::fprintf(stderr, "Fout %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
    return 0;
}

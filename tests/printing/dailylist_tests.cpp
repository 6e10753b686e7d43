#include "cupsserver.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/session/session.h"
#include "printing/printtarget.h"
#include "printing/reports/dailylists.h"
#include "support/administrationfixture.h"
#include "support/printers.h"
#include "support/toolprocess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

using reports::ColumnReport;
using reports::DailyList;

const DailyList &listOf(DailyList::Kind kind)
{
    for (const DailyList &list : reports::dailyLists())
        if (list.kind == kind)
            return list;
    throw std::logic_error("no such list");
}

// Two working days and one after them: order lines of two relations (one line in state 8),
// trips of two trucks, one driver known.
void fillWeek(db::Database &main)
{
    for (const char *sql : {
             "INSERT INTO UserGegevens (Naam) VALUES ('Akkerhof B.V.')",
             "INSERT INTO RelatieGegevens (RelNr, Bedrijfsnaam1, BedrijfsAdres, BedrijfsHuisNr, BedrijfsPostcode, BedrijfsWoonplaats) "
             "VALUES ('000001', 'Zuidhoek', 'Dijk', '1', '1111AA', 'Lelystad'), ('000002', 'Brink', NULL, NULL, NULL, 'Kampen')",
             "INSERT INTO Medewerkers (PersoneelsNr, Roepnaam, Achternaam) VALUES (5, 'Roel', 'Smit')",
             "INSERT INTO Ordergegevens (OrderNr, RegelNr, RelNr, OrderDatum, RecordCode, Artnr, Omschrijving, Aantal, Verkoopprijs, Bedrag) VALUES "
             "('00000001', 1, '000001', '20260302', 1, '000010', 'Tarwe', 2.5, 0.04, 0.10),"
             "('00000001', 2, '000001', '20260302', 9, '000011', 'Gerst', 1, 0.20, 0.20),"
             "('00000001', 3, '000001', '20260302', 8, '000012', 'Vervallen', 1, 5, 5),"
             "('00000002', 1, '000002', '20260302', 1, '000010', 'Tarwe', 1000, 1.5, 1500),"
             "('00000003', 1, '000002', '20260303', 1, '000013', 'Mais', 3, 1, 3),"
             "('00000004', 1, '000001', '20260304', 1, '000013', 'Mais', 9, 1, 9)",
             "INSERT INTO Ritgegevens (RitNr, OrderNr, Startdatum, Einddatum, Kenteken, PersoneelsNr) VALUES "
             "(2, '00000002', '20260302', '20260302', 'BX-01-AA', 5),"
             "(1, '00000001', '20260301', '20260302', 'BX-01-AA', 5),"
             "(3, '00000003', '20260303', '20260303', 'AZ-99-ZZ', 7),"
             "(4, '00000004', '20260304', '20260304', 'AZ-99-ZZ', 7)",
         })
        main.exec(QString::fromLatin1(sql));
}

class DailyLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        ctx.session = &session;
        ctx.DataPad = admin.dataPad();
        fillWeek(session.DBAdmin());
    }

    test::TempAdministration admin;
    Session session;
    Context ctx;
};

// What a report holds as text: per day its date, per group its heading, rows and total.
QStringList contents(const ColumnReport &report)
{
    QStringList lines;
    for (const reports::Day &day : report.days) {
        lines << day.date.toString(u"yyyy-MM-dd");
        for (const reports::Group &group : day.groups) {
            lines << u"  "_s + group.heading;
            for (const QStringList &row : group.rows)
                lines << u"    "_s + row.join(u'|');
            if (!group.total.isEmpty())
                lines << u"    = "_s + group.total.join(u'|');
        }
        if (!day.total.isEmpty())
            lines << u"  = "_s + day.total.join(u'|');
    }
    return lines;
}

TEST_F(DailyLists, DeliveriesPerDayAndRelationWithExactTotalsLeavingOutState8)
{
    const ColumnReport report = reports::readDailyList(ctx, listOf(DailyList::Kind::Leveringenlijst), u"20260302"_s, u"20260303"_s);
    EXPECT_EQ(report.company, u"Akkerhof B.V."_s);
    EXPECT_EQ(contents(report), (QStringList{
                                    u"2026-03-02"_s,
                                    u"  000002 Brink, Kampen"_s,
                                    u"    00000002/1|000010 Tarwe|1.000,00|1,50|1.500,00"_s,
                                    u"    = |Subtotaal|||1.500,00"_s,
                                    u"  000001 Zuidhoek, Dijk 1, 1111AA Lelystad"_s,
                                    u"    00000001/1|000010 Tarwe|2,50|0,04|0,10"_s,
                                    u"    00000001/2|000011 Gerst|1,00|0,20|0,20"_s,
                                    u"    = |Subtotaal|||0,30"_s,
                                    u"  = |Totaal van de dag|||1.500,30"_s,
                                    u"2026-03-03"_s,
                                    u"  000002 Brink, Kampen"_s,
                                    u"    00000003/1|000013 Mais|3,00|1,00|3,00"_s,
                                    u"    = |Subtotaal|||3,00"_s,
                                    u"  = |Totaal van de dag|||3,00"_s,
                                }))
        << contents(report).join(u'\n').toStdString();
}

TEST_F(DailyLists, UnloadingPerTruckAndDriverInTheOrderTheTripsWerePlanned)
{
    const ColumnReport report = reports::readDailyList(ctx, listOf(DailyList::Kind::Loslijst), u"20260302"_s, u"20260303"_s);
    EXPECT_EQ(contents(report), (QStringList{
                                    u"2026-03-02"_s,
                                    u"  BX-01-AA  -  chauffeur Roel Smit"_s,
                                    u"    00000001|000001 Zuidhoek|000010 Tarwe|2,50|"_s,
                                    u"    00000001|000001 Zuidhoek|000011 Gerst|1,00|"_s,
                                    u"    00000002|000002 Brink|000010 Tarwe|1.000,00|"_s,
                                    u"2026-03-03"_s,
                                    u"  AZ-99-ZZ"_s,
                                    u"    00000003|000002 Brink|000013 Mais|3,00|"_s,
                                }))
        << contents(report).join(u'\n').toStdString();
    EXPECT_TRUE(reports::readDailyList(ctx, listOf(DailyList::Kind::Loslijst), u"20260305"_s, u"20260310"_s).days.empty());
}

// Long days break their pages at the bottom; each page carries the company, the list, its day
// and its number, a group cut in two repeats its heading, and each day begins a page.
TEST(ColumnReportDrawing, PagesBreakPerDayAndRepeatWhatTheReaderNeeds)
{
    ColumnReport report{u"Akkerhof B.V."_s, u"Leveringenlijst"_s, reports::columnsOf(listOf(DailyList::Kind::Leveringenlijst)), {}};
    reports::Day first{QDate(2026, 3, 2), {{u"000001 Zuidhoek"_s, {}, {u""_s, u"Subtotaal"_s, {}, {}, u"1,00"_s}}}, {}};
    for (int line = 1; line <= 150; ++line)
        first.groups[0].rows.push_back({u"00000001/%1"_s.arg(line), u"Tarwe"_s, u"1,00"_s, u"1,00"_s, u"1,00"_s});
    report.days = {first, {QDate(2026, 3, 3), {{u"000002 Brink"_s, {{u"00000002/1"_s}}, {}}}, {}}};

    QTemporaryDir folder;
    const QString pdf = folder.filePath(u"lijst.pdf"_s);
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18), QPageLayout::Point);
    int pages = 0;
    QList<int> told;
    {
        PdfTarget target(pdf, a4, [](const QString &) {});
        pages = reports::drawColumnReport(target, report, [&](int percent, int page) { told << percent * 1000 + page; });
        target.EndDoc();
    }
    ASSERT_GE(pages, 3);
    EXPECT_EQ(test::pdfInfo(pdf, u"Pages"_s), QString::number(pages));
    EXPECT_EQ(told.last(), 100 * 1000 + pages);
    const QStringList text = test::pdfText(pdf).split(u'\f');
    for (int page = 1; page <= pages; ++page) {
        const QString &onPage = text.value(page - 1);
        const bool firstDay = page < pages;
        EXPECT_TRUE(onPage.contains(u"Pagina %1"_s.arg(page))) << page;
        EXPECT_TRUE(onPage.contains(u"Akkerhof B.V."_s)) << page;
        EXPECT_TRUE(onPage.contains(firstDay ? u"maandag 2 maart 2026"_s : u"dinsdag 3 maart 2026"_s)) << page;
        EXPECT_TRUE(onPage.contains(firstDay ? u"000001 Zuidhoek"_s : u"000002 Brink"_s)) << page;
    }
    EXPECT_TRUE(text.value(pages - 2).contains(u"00000001/150"_s));
    EXPECT_TRUE(text.value(pages - 2).contains(u"Subtotaal"_s));
}

// The tool against a private cupsd: the same drawing, the print manager's choices, its log lines.
class PrintCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server = new test::CupsServer;
        server->addQueue(u"Expeditie"_s, u"Hal 1"_s, u"Laser"_s);
        server->admin(u"lpadmin"_s, {u"-d"_s, u"Expeditie"_s});
        qputenv("CUPS_SERVER", server->address().toUtf8());
    }
    static void TearDownTestSuite()
    {
        qunsetenv("CUPS_SERVER");
        delete server;
    }
    void SetUp() override
    {
        ASSERT_EQ(server->failure(), QString());
        Session session;
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        fillWeek(session.DBAdmin());
    }
    test::ToolResult run(const QStringList &arguments) { return test::runTool(registry.filePath(u"r.reg"_s), arguments); }
    QString log() const
    {
        QFile file(QDir(admin.dataPad()).entryInfoList({u"kvpro-*.log"_s}).value(0).filePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    static inline test::CupsServer *server = nullptr;
    test::TempAdministration admin;
    QTemporaryDir registry;
};

TEST_F(PrintCommand, PrintsWithTheChosenSizeTrayOrientationSidesAndCopies)
{
    const test::ToolResult result =
        run({u"afdrukken"_s, admin.dataPad(), u"leveringenlijst"_s, u"02-03-2026"_s, u"04-03-2026"_s, u"--printer"_s, u"Expeditie"_s,
             u"--formaat"_s, u"A5"_s, u"--lade"_s, u"Lower"_s, u"--orientatie"_s, u"liggend"_s, u"--zijden"_s, u"horizontaal"_s,
             u"--kopieen"_s, u"2"_s});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const auto jobs = server->waitForJobs(u"Expeditie"_s);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].arguments.value(2), u"Leveringenlijst"_s);
    EXPECT_EQ(jobs[0].arguments.value(3), u"2"_s);
    for (const char *option : {"media=A5", "InputSlot=Lower", "sides=two-sided-long-edge", "orientation-requested=4"})
        EXPECT_TRUE(jobs[0].arguments.value(4).split(u' ').contains(QString::fromLatin1(option))) << option;
    EXPECT_EQ(test::pdfInfo(jobs[0].pdf, u"Pages"_s), u"3"_s);
    EXPECT_TRUE(test::pdfInfo(jobs[0].pdf, u"Page size"_s).startsWith(u"595 x 420"_s));
    EXPECT_TRUE(log().contains(u"AFDRUKKEN : Opdracht        : Leveringenlijst"_s)) << log().toStdString();
    EXPECT_TRUE(log().contains(u"AFDRUKKEN : Opdracht        : Afgerond"_s));
}

TEST_F(PrintCommand, BadChoicesSendNothing)
{
    const qsizetype before = server->jobFiles(u"Expeditie"_s).size();
    const QStringList base{u"afdrukken"_s, admin.dataPad(), u"loslijst"_s, u"02-03-2026"_s, u"--printer"_s, u"Expeditie"_s};
    const struct {
        QStringList extra;
        QString message;
    } cases[] = {
        {{u"--lade"_s, u"Kelder"_s}, u"Papierlade Kelder is niet beschikbaar op Expeditie."_s},
        {{u"--formaat"_s, u"A3"_s}, u"Papierformaat A3 is niet beschikbaar op Expeditie."_s},
        {{u"--kopieen"_s, u"1000"_s}, u"Het aantal kopieën moet tussen 1 en 999 liggen."_s},
        {{u"--printer"_s, u"Weg"_s}, u"De printer Weg is niet geïnstalleerd."_s},
        {{u"--orientatie"_s, u"schuin"_s}, u"De orientatie moet staand of liggend zijn."_s},
    };
    for (const auto &c : cases) {
        const test::ToolResult result = run(base + c.extra);
        EXPECT_EQ(result.code, 1) << c.message.toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
    }
    const test::ToolResult empty = run({u"afdrukken"_s, admin.dataPad(), u"loslijst"_s, u"05-03-2026"_s});
    EXPECT_EQ(empty.code, 1);
    EXPECT_TRUE(empty.err.contains(u"Er is niets af te drukken voor deze periode."_s));
    EXPECT_EQ(server->jobFiles(u"Expeditie"_s).size(), before);
}

TEST_F(PrintCommand, SavesAllPagesAsAPdfAndListsThePrinters)
{
    const QString pdf = registry.filePath(u"lijst.pdf"_s);
    const test::ToolResult result =
        run({u"afdrukken"_s, admin.dataPad(), u"loslijst"_s, u"02-03-2026"_s, u"04-03-2026"_s, u"--pdf"_s, pdf});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(test::pdfInfo(pdf, u"Pages"_s), u"3"_s);
    EXPECT_TRUE(log().contains(u"AFDRUKKEN : PDF-bestand     : "_s + pdf)) << log().toStdString();
    EXPECT_EQ(QDir(registry.path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_s), QStringList());

    const test::ToolResult printers = run({u"printers"_s, u"--details"_s});
    ASSERT_EQ(printers.code, 0) << printers.err.toStdString();
    EXPECT_EQ(printers.out, u"Expeditie\tstandaard\tReady\tHal 1\tLaser\t9 A4; 11 A5; 1 US Letter\t1 Bovenste lade; 2 Onderste lade; 4 Handinvoer\n"_s);
}

// A console killed on page 250 of 500 has sent nothing and written no PDF; the same run left
// alone delivers every page.
TEST_F(PrintCommand, AConsoleKilledWhileDrawingLeavesNoJobAndNoPdf)
{
    const auto peer = [](const QStringList &arguments) {
        QProcess process;
        process.start(QStringLiteral(PRINTING_PEER), arguments);
        process.waitForFinished(120000);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    // Every job the server ever took for the queue, done or not.
    const auto jobs = [] {
        QProcess lpstat;
        lpstat.start(u"lpstat"_s, {u"-W"_s, u"all"_s, u"-o"_s, u"Expeditie"_s});
        lpstat.waitForFinished();
        return QString::fromUtf8(lpstat.readAllStandardOutput()).count(u'\n');
    };
    const qsizetype before = jobs();
    const QString pdf = registry.filePath(u"lijst.pdf"_s);
    EXPECT_EQ(peer({u"printer"_s, u"Expeditie"_s, u"500"_s, u"250"_s}), -1);
    EXPECT_EQ(peer({u"pdf"_s, pdf, u"500"_s, u"250"_s}), -1);
    EXPECT_EQ(jobs(), before);
    EXPECT_FALSE(QFile::exists(pdf));

    ASSERT_EQ(peer({u"pdf"_s, pdf, u"500"_s, u"0"_s}), 0);
    EXPECT_EQ(test::pdfInfo(pdf, u"Pages"_s), u"500"_s);
    ASSERT_EQ(peer({u"printer"_s, u"Expeditie"_s, u"500"_s, u"0"_s}), 0);
    EXPECT_EQ(jobs(), before + 1);
}

} // namespace
} // namespace kv

#include "cupsserver.h"

#include "core/context.h"
#include "printing/cupsprinters.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QProcess>
#include <QRegularExpression>

namespace kv {
namespace {

using test::CupsServer;

// One private cupsd for the tests of this file, with two queues; tests that change a queue
// make their own.
class OnCups : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server = new CupsServer;
        server->addQueue(QStringLiteral("Kantoor"), QStringLiteral("Expeditie"), QStringLiteral("Laserprinter beneden"));
        server->addQueue(QStringLiteral("Magazijn"));
        server->admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Magazijn")});
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(server->failure(), QString());
        ctx.printers = &printers;
    }

    // A job of `pages` pages, each with "Pagina n" in the printable corner.
    void printPages(int pages)
    {
        ASSERT_TRUE(BeginPrintJob(ctx, false));
        PrintTarget &target = *ctx.print.PrintTarget;
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                target.NewPage();
            target.CurrentX = target.CurrentY = 0;
            target.Print(QStringLiteral("Pagina %1").arg(page));
        }
        target.EndDoc();
    }

    static inline CupsServer *server = nullptr;
    CupsPrinters printers{server->address()};
    Context ctx;
};

TEST_F(OnCups, PrintersInTheServersOrderWithItsDefault)
{
    EXPECT_EQ(printers.printers(), (QStringList{QStringLiteral("Kantoor"), QStringLiteral("Magazijn")}));
    EXPECT_EQ(printers.defaultPrinter(), QStringLiteral("Magazijn"));
    EXPECT_EQ(SystemPrinter(ctx), QStringLiteral("Magazijn"));
}

TEST_F(OnCups, CapabilitiesFromTheDriverNumberedAsTheListsShowThem)
{
    const auto capabilities = printers.capabilities(QStringLiteral("Kantoor"));
    ASSERT_TRUE(capabilities);
    const struct {
        int number;
        const char *name, *key;
        QSizeF page;
        QMarginsF margins;
    } sizes[] = {
        {9, "A4", "A4", {595, 842}, {18, 36, 18, 36}},
        {11, "A5", "A5", {420, 595}, {12, 12, 12, 12}},
        {1, "US Letter", "Letter", {612, 792}, {18, 18, 18, 18}},
    };
    ASSERT_EQ(capabilities->sizes.size(), qsizetype(std::size(sizes)));
    for (size_t i = 0; i < std::size(sizes); ++i) {
        const PaperSize &size = capabilities->sizes[qsizetype(i)];
        EXPECT_EQ(size.number, sizes[i].number) << i;
        EXPECT_EQ(size.name, QString::fromLatin1(sizes[i].name)) << i;
        EXPECT_EQ(size.key, QString::fromLatin1(sizes[i].key)) << i;
        EXPECT_EQ(size.page, sizes[i].page) << i;
        EXPECT_EQ(size.margins, sizes[i].margins) << i;
    }
    const struct {
        int number;
        const char *name, *key;
    } trays[] = {{1, "Bovenste lade", "Upper"}, {2, "Onderste lade", "Lower"}, {4, "Handinvoer", "Manual"}};
    ASSERT_EQ(capabilities->trays.size(), qsizetype(std::size(trays)));
    for (size_t i = 0; i < std::size(trays); ++i) {
        EXPECT_EQ(capabilities->trays[qsizetype(i)].number, trays[i].number) << i;
        EXPECT_EQ(capabilities->trays[qsizetype(i)].name, QString::fromLatin1(trays[i].name)) << i;
        EXPECT_EQ(capabilities->trays[qsizetype(i)].key, QString::fromLatin1(trays[i].key)) << i;
    }
    EXPECT_TRUE(capabilities->duplex);
    EXPECT_EQ(capabilities->currentSize, 9);
    EXPECT_EQ(capabilities->currentTray, 1);
    EXPECT_FALSE(printers.capabilities(QStringLiteral("Zolder")));
}

TEST_F(OnCups, InfoCarriesLocationCommentAndStatus)
{
    const auto info = printers.info(QStringLiteral("Kantoor"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->location, QStringLiteral("Expeditie"));
    EXPECT_EQ(info->comment, QStringLiteral("Laserprinter beneden"));
    EXPECT_TRUE(info->port.startsWith(u"kvtest:"));
    EXPECT_EQ(PrinterStatusText(info->status), QStringLiteral("Ready"));

    server->addQueue(QStringLiteral("Gepauzeerd"));
    ASSERT_EQ(server->admin(QStringLiteral("cupsdisable"), {QStringLiteral("Gepauzeerd")}), QString());
    EXPECT_EQ(PrinterStatusText(printers.info(QStringLiteral("Gepauzeerd"))->status), QStringLiteral("\r\nPaused"));
    EXPECT_FALSE(printers.info(QStringLiteral("Zolder")));
}

// The page a job is laid out on, measured in twips from the printable corner (A4 18 36 577 806).
TEST_F(OnCups, MeasuresThePrintablePartAndDrawsFromItsCorner)
{
    SetSystemPrinter(ctx, QStringLiteral("Kantoor"));
    printPages(1);
    EXPECT_EQ(ctx.print.PrintPageWidth, 11180);
    EXPECT_EQ(ctx.print.PrintPageHeight, 15400);
    EXPECT_EQ(ctx.print.PrintMarginLeft, 360);
    EXPECT_EQ(ctx.print.PrintMarginTop, 720);

    const auto jobs = server->waitForJobs(QStringLiteral("Kantoor"));
    ASSERT_EQ(jobs.size(), 1);
    QProcess bbox;
    bbox.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), jobs[0].pdf, QStringLiteral("-")});
    bbox.waitForFinished(60000);
    const auto word = QRegularExpression(QStringLiteral(R"re(xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>Pagina<)re"))
                          .match(QString::fromUtf8(bbox.readAllStandardOutput()));
    ASSERT_TRUE(word.hasMatch());
    EXPECT_NEAR(word.captured(1).toDouble(), 18, 1.5);
    EXPECT_NEAR(word.captured(2).toDouble(), 36, 3);
}

TEST_F(OnCups, TheWholePdfGoesAsOneJobWithTheChosenSettings)
{
    server->addQueue(QStringLiteral("Expeditie"));
    SetSystemPrinter(ctx, QStringLiteral("Expeditie"));
    ASSERT_TRUE(SetPrinterSetting(ctx, QStringLiteral("Expeditie"), FieldPaperSize, 11));
    ASSERT_TRUE(SetPrinterSetting(ctx, QStringLiteral("Expeditie"), FieldTray, 2));
    ASSERT_TRUE(SetPrinterSetting(ctx, QStringLiteral("Expeditie"), FieldDuplex, DubbelzijdigHorizontaal));
    EXPECT_FALSE(SetPrinterSetting(ctx, QStringLiteral("Expeditie"), FieldColour, 2));
    ctx.print.PrintOrientation = Liggend;
    ctx.print.copies = 3;
    ctx.print.jobTitle = QStringLiteral("Leveringenlijst");
    printPages(3);

    const auto jobs = server->waitForJobs(QStringLiteral("Expeditie"));
    ASSERT_EQ(jobs.size(), 1);
    const QStringList &arguments = jobs[0].arguments;
    ASSERT_GE(arguments.size(), 5);
    EXPECT_EQ(arguments[2], QStringLiteral("Leveringenlijst"));
    EXPECT_EQ(arguments[3], QStringLiteral("3"));
    const QStringList options = arguments[4].split(u' ');
    for (const char *option : {"media=A5", "InputSlot=Lower", "sides=two-sided-long-edge", "orientation-requested=4"})
        EXPECT_TRUE(options.contains(QString::fromLatin1(option))) << option << " in " << arguments[4].toStdString();

    EXPECT_EQ(test::pdfInfo(jobs[0].pdf, QStringLiteral("Pages")), QStringLiteral("3"));
    EXPECT_TRUE(test::pdfInfo(jobs[0].pdf, QStringLiteral("Page size")).startsWith(u"595 x 420"))
        << test::pdfInfo(jobs[0].pdf, QStringLiteral("Page size")).toStdString();
    const QStringList pages = test::pdfText(jobs[0].pdf).split(u'\f');
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(pages.value(page - 1).trimmed(), QStringLiteral("Pagina %1").arg(page));
}

// A queue without a driver names no trays: they come from the IPP printer itself, its own
// media sources, and the job asks for one by keyword. Their texts are libcups' own where it has
// them (English here), else the keyword (C, Dutch).
TEST_F(OnCups, ADriverlessQueueTakesItsTraysFromThePrinter)
{
    server->addIppPrinter(QStringLiteral("Etiketten"),
                          QStringLiteral("ATTR mimeMediaType document-format-supported application/pdf\n"
                                         "ATTR keyword media-source-supported top,tray-1,manual,kantine-lade-voor-formulieren\n"
                                         "ATTR collection media-col-default { MEMBER keyword media-source manual }\n"));
    ASSERT_EQ(server->failure(), QString());
    const auto capabilities = printers.capabilities(QStringLiteral("Etiketten"));
    ASSERT_TRUE(capabilities);
    const bool english = qstrncmp(cupsLangDefault()->language, "en", 2) == 0;
    const struct {
        int number;
        const char *english, *other, *key;
    } trays[] = {{1, "Top", "top", "top"},
                 {257, "Tray 1", "tray-1", "tray-1"},
                 {4, "Manual", "manual", "manual"},
                 {259, "kantine-lade-voor-formul", "kantine-lade-voor-formul", "kantine-lade-voor-formulieren"}};
    ASSERT_EQ(capabilities->trays.size(), qsizetype(std::size(trays)));
    for (size_t i = 0; i < std::size(trays); ++i) {
        const PaperTray &tray = capabilities->trays[qsizetype(i)];
        EXPECT_EQ(tray.number, trays[i].number) << i;
        EXPECT_EQ(tray.name, QString::fromLatin1(english ? trays[i].english : trays[i].other)) << i;
        EXPECT_EQ(tray.key, QString::fromLatin1(trays[i].key)) << i;
        EXPECT_TRUE(tray.mediaSource) << i;
    }
    EXPECT_EQ(capabilities->currentTray, 4);

    SetSystemPrinter(ctx, QStringLiteral("Etiketten"));
    ASSERT_TRUE(SetPrinterSetting(ctx, QStringLiteral("Etiketten"), FieldTray, 257));
    printPages(1);
    EXPECT_EQ(server->ippJobAttribute(QStringLiteral("Etiketten"), 1, "media-source"), QStringLiteral("tray-1"));
}

// A report that breaks its pages by measuring its lines breaks them alike in the preview and
// on paper: one metric for both.
TEST_F(OnCups, PreviewAndJobAgreePageByPage)
{
    server->addQueue(QStringLiteral("Vergelijk"));
    SetSystemPrinter(ctx, QStringLiteral("Vergelijk"));
    ASSERT_TRUE(SetPrinterSetting(ctx, QStringLiteral("Vergelijk"), FieldPaperSize, 11));
    const auto report = [this](bool preview) {
        EXPECT_TRUE(BeginPrintJob(ctx, preview));
        PrintTarget &target = *ctx.print.PrintTarget;
        QStringList firstLines;
        for (int line = 1; line <= 150; ++line) {
            target.FontBold(line % 7 == 0);
            if (target.CurrentY + target.TextHeight(QStringLiteral("X")) > target.ScaleHeight()) {
                target.NewPage();
                firstLines << QStringLiteral("Regel %1").arg(line);
            }
            target.Print(QStringLiteral("Regel %1").arg(line));
        }
        target.EndDoc();
        return firstLines;
    };
    const QStringList previewBreaks = report(true);
    const auto previewPages = static_cast<const PreviewTarget &>(*ctx.print.PrintTarget).pages().size();
    EndPreview(ctx);
    const QStringList printBreaks = report(false);
    ASSERT_FALSE(previewBreaks.isEmpty());
    EXPECT_EQ(printBreaks, previewBreaks);
    EXPECT_EQ(previewPages, size_t(previewBreaks.size() + 1));

    const auto jobs = server->waitForJobs(QStringLiteral("Vergelijk"));
    ASSERT_EQ(jobs.size(), 1);
    const QStringList pages = test::pdfText(jobs[0].pdf).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), previewBreaks.size() + 1);
    for (qsizetype i = 1; i < pages.size(); ++i)
        EXPECT_EQ(pages[i].trimmed().section(u'\n', 0, 0).trimmed(), previewBreaks[i - 1]) << i;
}

TEST_F(OnCups, AQueueGoneSinceTheJobBeganGetsNoJob)
{
    server->addQueue(QStringLiteral("Weg"));
    SetSystemPrinter(ctx, QStringLiteral("Weg"));
    ASSERT_TRUE(BeginPrintJob(ctx, false));
    ctx.print.PrintTarget->Print(QStringLiteral("Niet verzonden"));
    ASSERT_EQ(server->admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Weg")}), QString());
    try {
        ctx.print.PrintTarget->EndDoc();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("De printer Weg is niet meer beschikbaar."));
    }
    EXPECT_EQ(server->jobFiles(QStringLiteral("Weg")), QStringList());
}

TEST_F(OnCups, AQueueThatRefusesJobsSaysWhy)
{
    server->addQueue(QStringLiteral("Weigert"));
    ASSERT_EQ(server->admin(QStringLiteral("cupsreject"), {QStringLiteral("-r"), QStringLiteral("vol"), QStringLiteral("Weigert")}), QString());
    SetSystemPrinter(ctx, QStringLiteral("Weigert"));
    ASSERT_TRUE(BeginPrintJob(ctx, false));
    try {
        ctx.print.PrintTarget->EndDoc();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(u"De printer Weigert weigert de opdracht: ")) << e.what();
    }
    EXPECT_EQ(printers.info(QStringLiteral("Weigert"))->status & 0x1000, 0x1000u);
}

TEST(WithoutCups, ThereIsNoPrinterAndAPrinterJobDrawsNothing)
{
    CupsPrinters printers(QStringLiteral("127.0.0.1:1"));
    Context ctx;
    ctx.printers = &printers;
    EXPECT_EQ(printers.printers(), QStringList());
    EXPECT_EQ(printers.defaultPrinter(), QString());
    EXPECT_FALSE(printers.info(QStringLiteral("Kantoor")));
    EXPECT_FALSE(BeginPrintJob(ctx, false));
    EXPECT_TRUE(ctx.print.NoPrinter);
    EXPECT_FALSE(ctx.print.PrintTarget);
}

} // namespace
} // namespace kv

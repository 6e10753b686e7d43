#include "cupsserver.h"

#include "core/context.h"
#include "core/navigation/screenregistry.h"
#include "core/registry/registryfile.h"
#include "editing/widgets/yesno.h"
#include "printing/cupsprinters.h"
#include "printing/frmprinters.h"
#include "printing/printersetting.h"
#include "printing/printersetup.h"
#include "printing/printjob.h"
#include "printing/printmanager.h"
#include "printing/registration.h"
#include "support/printers.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>

#include <csignal>
#include <sys/resource.h>

namespace kv {
namespace {

using namespace Qt::StringLiterals;

// The printer settings on a private cupsd: "Kantoor" on the test driver as it comes (A4, upper
// tray) and "Etiket", the default, set to A5 from the manual feed.
class PrinterSetupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server = new test::CupsServer;
        server->addQueue(u"Kantoor"_s);
        server->addQueue(u"Etiket"_s);
        server->admin(u"lpadmin"_s, {u"-p"_s, u"Etiket"_s, u"-o"_s, u"PageSize=A5"_s, u"-o"_s, u"InputSlot=Manual"_s, u"-d"_s, u"Etiket"_s});
    }
    static void TearDownTestSuite() { delete std::exchange(server, nullptr); }
    void SetUp() override
    {
        ASSERT_EQ(server->failure(), QString());
        ctx.registry = &registry;
        ctx.dialogs = &dialogs;
        ctx.printers = &printers;
        ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    }
    QByteArray registryBytes() const
    {
        QFile file(registry.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Where a kind's lists stand, as texts.
    static QStringList shown(const PrinterSetup::Section &s)
    {
        return {s.printer, orientationEntries().value(s.orientation), s.size < 0 ? QString() : s.capabilities.sizes[s.size].name,
                s.tray < 0 ? QString() : s.capabilities.trays[s.tray].name};
    }

    static inline test::CupsServer *server = nullptr;
    QTemporaryDir folder;
    RegistryFile registry{folder.filePath(u"registry.reg"_s)};
    test::ScriptedDialogs dialogs;
    CupsPrinters printers{server->address()};
    Context ctx;
};

TEST_F(PrinterSetupTest, AKindNeverSavedShowsTheSystemPrinterAsItIsSetUp)
{
    ASSERT_TRUE(SetPrinterSetting(ctx, u"Etiket"_s, FieldOrientation, Liggend));
    const PrinterSetup setup(ctx);
    EXPECT_EQ(setup.printers(), (QStringList{u"Etiket"_s, u"Kantoor"_s}));
    for (const PrinterSetup::Section &section : setup.sections)
        EXPECT_EQ(shown(section), (QStringList{u"Etiket"_s, u"Liggend"_s, u"A5"_s, u"Handinvoer"_s}));
}

// Kinds with choices of their own; their keys are made by the save.
TEST_F(PrinterSetupTest, EverySettingComesBackAsSaved)
{
    const struct {
        size_t kind;
        int orientation, size, tray;
        const char *stored; // Printer|Orientatie|Formaat|Lade|PaperSize|Bin|Orient
    } cases[] = {
        {0, 1, 2, 1, "Kantoor|Liggend|US Letter|Onderste lade|1|2|2"},
        {2, 0, 1, 2, "Kantoor|Staand|A5|Handinvoer|11|4|1"},
        {7, 1, 0, 0, "Kantoor|Liggend|A4|Bovenste lade|9|1|2"},
    };
    PrinterSetup setup(ctx);
    for (const auto &c : cases) {
        setup.choosePrinter(int(c.kind), u"Kantoor"_s);
        setup.sections[c.kind] = {u"Kantoor"_s, c.orientation, setup.sections[c.kind].capabilities, c.size, c.tray, {}};
    }
    setup.correctionLeft = u"-12"_s;
    setup.correctionTop = u"7"_s;
    ASSERT_TRUE(setup.save());

    const PrinterSetup again(ctx);
    for (const auto &c : cases) {
        const QString key = printerSettingKey(PrinterSetup::kinds()[c.kind].key);
        QStringList stored;
        for (const char *name : {"Printer", "Orientatie", "Formaat", "Lade", "PaperSize", "Bin", "Orient"})
            stored << registry.LeesRegistry(key, QString::fromLatin1(name));
        EXPECT_EQ(stored.join(u'|'), QLatin1String(c.stored));
        EXPECT_EQ(shown(again.sections[c.kind]), stored.mid(0, 4));
    }
    EXPECT_EQ(again.correctionLeft + u'|' + registry.LeesRegistry(RegKeyKorvenal, u"VDMy"), u"-12|7"_s);
}

// Only one way of making PDFs is stored: the first switched on, in the order of the screen.
TEST_F(PrinterSetupTest, OneWayOfMakingPdfsAndTheOtherSwitchesAsTheyStand)
{
    const struct {
        const char *on, *stored; // ShowRedirectedPrinters, UseWeegbonPrinter2, bioPDF, Bullzip, Nova, 7-PDF
    } cases[] = {{"001010", "001000"}, {"100101", "100100"}, {"010011", "010010"}, {"111111", "111000"}};
    for (const auto &c : cases) {
        PrinterSetup setup(ctx);
        for (size_t i = 0; i < 6; ++i)
            setup.on[i] = c.on[i] == '1';
        ASSERT_TRUE(setup.save());
        QString stored, shownAgain;
        const PrinterSetup again(ctx);
        for (size_t i = 0; i < 6; ++i) {
            stored += registry.LeesRegistry(RegKeyKorvenal, PrinterSetup::switches()[i].name);
            shownAgain += again.on[i] ? u'1' : u'0';
        }
        EXPECT_EQ(stored, QLatin1String(c.stored)) << c.on;
        EXPECT_EQ(shownAgain, QLatin1String(c.stored)) << c.on;
    }
}

TEST_F(PrinterSetupTest, ACorrectionThatIsNoWholeNumberWritesNothing)
{
    const QByteArray before = registryBytes();
    for (const char *typed : {"1,5", "abc", "-", "12-", "+3", "1 2"}) {
        for (int which = 0; which < 2; ++which) {
            PrinterSetup setup(ctx);
            (which == 0 ? setup.correctionLeft : setup.correctionTop) = QString::fromLatin1(typed);
            EXPECT_FALSE(setup.save()) << typed;
            EXPECT_EQ(setup.badCorrection(), which) << typed;
        }
    }
    EXPECT_EQ(registryBytes(), before);
    EXPECT_EQ(dialogs.prompts(), QStringList(12, u"Een correctie moet een geheel getal zijn."_s));
}

// A save is one replace of the store: when the new file cannot be written whole (here: larger
// than the process may write), the old one stays as it was and the user is told.
TEST_F(PrinterSetupTest, ASaveTheStoreCannotTakeLeavesItAsItWas)
{
    const QByteArray before = registryBytes();
    PrinterSetup setup(ctx);
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{rlim_t(before.size() + 200), limit.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = setup.save();
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(registryBytes(), before);
    EXPECT_EQ(dialogs.prompts(), QStringList{u"De instellingen kunnen niet in het register worden opgeslagen."_s});
}

TEST_F(PrinterSetupTest, StoredChoicesThePrinterLacksAreNamed)
{
    const struct {
        PrinterSetting stored; // Printer, Orientatie, Formaat, Lade, PaperSize, Bin, Orient
        QStringList notAvailable;
        QString shownPrinter;
    } cases[] = {
        {{u"Zolder"_s, u"Staand"_s, u"A4"_s, u"Bovenste lade"_s, u"9"_s, u"1"_s, u"1"_s}, {u"Niet beschikbaar: Zolder"_s, {}, {}}, u"Etiket"_s},
        {{u"Kantoor"_s, u"Staand"_s, u"A3"_s, u"Bovenste lade"_s, u"8"_s, u"1"_s, u"1"_s}, {{}, u"Niet beschikbaar: A3"_s, {}}, u"Kantoor"_s},
        {{u"Kantoor"_s, u"Staand"_s, u"A4"_s, u"Kast"_s, u"9"_s, u"300"_s, u"1"_s}, {{}, {}, u"Niet beschikbaar: Kast"_s}, u"Kantoor"_s},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(registry.createAndWrite({{printerSettingKey(u"CMR"), printerSettingValues(c.stored)}}));
        const PrinterSetup::Section cmr = PrinterSetup(ctx).sections[2];
        EXPECT_EQ(QStringList(std::begin(cmr.notAvailable), std::end(cmr.notAvailable)), c.notAvailable);
        EXPECT_EQ(cmr.printer, c.shownPrinter);
    }
}

TEST_F(PrinterSetupTest, WithoutPrintersTheListsStayEmptyAndEmptyTextsAreSaved)
{
    CupsPrinters none(folder.filePath(u"geen-cups.sock"_s));
    ctx.printers = &none;
    PrinterSetup setup(ctx);
    EXPECT_EQ(shown(setup.sections[0]), QStringList(4, QString()));
    ASSERT_TRUE(setup.save());
    for (const PrinterSetup::Kind &kind : PrinterSetup::kinds()) {
        const QString key = printerSettingKey(kind.key);
        EXPECT_EQ(registry.valueNames(key).size(), 7);
        for (const QString &name : registry.valueNames(key))
            EXPECT_EQ(registry.LeesRegistry(key, name), QString()) << name.toStdString();
    }
}

// What is saved for CMR is what the print manager puts in its lists for a CMR document.
TEST_F(PrinterSetupTest, TheSettingsOfCmrAreTakenByThePrintManager)
{
    PrinterSetup setup(ctx);
    setup.choosePrinter(2, u"Kantoor"_s);
    setup.sections[2] = {u"Kantoor"_s, 1, setup.sections[2].capabilities, 2, 1, {}};
    ASSERT_TRUE(setup.save());
    ctx.print.PrintDocuments[1] = u"Leveringenlijst"_s;
    ctx.print.PrintDocuments[2] = u"CMR - 1"_s;
    PrintManager manager(ctx);
    ASSERT_TRUE(manager.chooseDocument(1));
    EXPECT_EQ(manager.printer(), u"Kantoor"_s);
    EXPECT_EQ((std::array{manager.orientation, manager.paperSize, manager.tray}), (std::array{Liggend, 1, 2}));
    ASSERT_TRUE(manager.chooseDocument(0));
    EXPECT_EQ(manager.orientation, Staand) << "another document: the printer's own again";
}

// The window, opened as the menu opens it: a printer chosen refills that kind's sizes and trays
// (none for a queue without a driver), and the save button stores what the controls show.
TEST_F(PrinterSetupTest, TheWindowSavesWhatItsControlsShow)
{
    server->admin(u"lpadmin"_s, {u"-p"_s, u"Rauw"_s, u"-E"_s, u"-v"_s, u"kvtest:"_s + folder.path(), u"-m"_s, u"raw"_s});
    ScreenRegistry screens;
    registerPrintingScreens(screens);
    const std::unique_ptr<ChildScreen> screen = screens.create(u"frmprinters", ctx, {});
    ASSERT_TRUE(qobject_cast<frmPrinters *>(screen.get()));
    const auto list = [&](const char *name) { return screen->findChild<QComboBox *>(QLatin1String(name)); };
    EXPECT_EQ(list("cboPrinterCMR")->currentText() + list("cboFormaatCMR")->currentText(), u"EtiketA5"_s);

    list("cboPrinterCMR")->setCurrentText(u"Rauw"_s);
    EXPECT_EQ(list("cboFormaatCMR")->count() + list("cboLadeCMR")->count(), 0);
    list("cboPrinterCMR")->setCurrentText(u"Kantoor"_s);
    EXPECT_EQ(list("cboLadeCMR")->count(), 3);
    list("cboFormaatCMR")->setCurrentIndex(2);
    list("cboOrientatieCMR")->setCurrentIndex(1);
    QTest::mouseClick(screen->findChild<YesNo *>(u"PDFviaNovaPDF"_s), Qt::LeftButton);
    QTest::keyClicks(screen->findChild<QLineEdit *>(u"txtVDMy"_s), u"-4"_s);
    const QSignalSpy saved(screen.get(), &ChildScreen::saved);
    QTest::mouseClick(screen->findChild<QPushButton *>(u"cmdSave"_s), Qt::LeftButton);

    ASSERT_EQ(saved.count(), 1);
    EXPECT_EQ(shown(PrinterSetup(ctx).sections[2]), (QStringList{u"Kantoor"_s, u"Liggend"_s, u"US Letter"_s, u"Bovenste lade"_s}));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"PDFviaNovaPDF") + registry.LeesRegistry(RegKeyKorvenal, u"VDMy"), u"1-4"_s);
}

} // namespace
} // namespace kv

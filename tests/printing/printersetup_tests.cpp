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
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <csignal>
#include <sys/resource.h>

namespace kv {
namespace {

using namespace Qt::StringLiterals;
using test::CupsServer;

template <class T>
T *child(QWidget *screen, const QString &name)
{
    return screen->findChild<T *>(name);
}

// The printer settings on a private cupsd: "Kantoor" on the test driver as it comes (A4, upper
// tray) and "Etiket", the default, set to A5 from the manual feed.
class PrinterSetupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server = new CupsServer;
        server->addQueue(QStringLiteral("Kantoor"));
        server->addQueue(QStringLiteral("Etiket"));
        server->admin(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("Etiket"), QStringLiteral("-o"),
                                                  QStringLiteral("PageSize=A5"), QStringLiteral("-o"), QStringLiteral("InputSlot=Manual")});
        server->admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Etiket")});
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
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
    // Where a section's lists stand, as texts.
    static QStringList shown(const PrinterSetup::Section &s)
    {
        return {s.printer, orientationEntries().value(s.orientation), s.size < 0 ? QString() : s.capabilities.sizes[s.size].name,
                s.tray < 0 ? QString() : s.capabilities.trays[s.tray].name};
    }

    static inline CupsServer *server = nullptr;
    QTemporaryDir folder;
    RegistryFile registry{folder.filePath(QStringLiteral("registry.reg"))};
    test::ScriptedDialogs dialogs;
    CupsPrinters printers{server->address()};
    Context ctx;
};

TEST_F(PrinterSetupTest, AKindNeverSavedShowsTheSystemPrinterAsItIsSetUp)
{
    ASSERT_TRUE(SetPrinterSetting(ctx, QStringLiteral("Etiket"), FieldOrientation, Liggend));
    const PrinterSetup setup(ctx);
    EXPECT_EQ(setup.printers(), (QStringList{QStringLiteral("Etiket"), QStringLiteral("Kantoor")}));
    for (const PrinterSetup::Section &section : setup.sections) {
        EXPECT_EQ(shown(section), (QStringList{QStringLiteral("Etiket"), QStringLiteral("Liggend"), QStringLiteral("A5"),
                                               QStringLiteral("Handinvoer")}));
        EXPECT_EQ(section.capabilities.sizes.size(), 3);
    }
}

// Every kind with its own choices; the key of each is made by the save.
TEST_F(PrinterSetupTest, EverySettingComesBackAsSaved)
{
    const QStringList sizes{QStringLiteral("A4|9"), QStringLiteral("A5|11"), QStringLiteral("US Letter|1")};
    const QStringList trays{QStringLiteral("Bovenste lade|1"), QStringLiteral("Onderste lade|2"), QStringLiteral("Handinvoer|4")};
    {
        PrinterSetup setup(ctx);
        for (int kind = 0; kind < 8; ++kind) {
            PrinterSetup::Section &section = setup.sections[size_t(kind)];
            setup.choosePrinter(kind, QStringLiteral("Kantoor"));
            section.orientation = kind % 2;
            section.size = kind % 3;
            section.tray = (kind + 1) % 3;
        }
        setup.correctionLeft = QStringLiteral("-12");
        setup.correctionTop = QStringLiteral("7");
        ASSERT_TRUE(setup.save());
    }
    for (int kind = 0; kind < 8; ++kind) {
        const QString key = printerSettingKey(PrinterSetup::kinds()[size_t(kind)].key);
        const QString size = sizes[kind % 3], tray = trays[(kind + 1) % 3];
        const Registry::Values expected{
            {QStringLiteral("Printer"), QStringLiteral("Kantoor")},
            {QStringLiteral("Orientatie"), kind % 2 ? QStringLiteral("Liggend") : QStringLiteral("Staand")},
            {QStringLiteral("Formaat"), size.section(u'|', 0, 0)},
            {QStringLiteral("Lade"), tray.section(u'|', 0, 0)},
            {QStringLiteral("PaperSize"), size.section(u'|', 1)},
            {QStringLiteral("Bin"), tray.section(u'|', 1)},
            {QStringLiteral("Orient"), QString::number(kind % 2 + 1)},
        };
        EXPECT_EQ(registry.valueNames(key).size(), 7) << kind;
        for (const auto &[name, text] : expected)
            EXPECT_EQ(registry.LeesRegistry(key, name), text) << kind << " " << name.toStdString();
    }
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"VDMx"), QStringLiteral("-12"));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"VDMy"), QStringLiteral("7"));

    const PrinterSetup again(ctx);
    for (int kind = 0; kind < 8; ++kind) {
        const PrinterSetup::Section &section = again.sections[size_t(kind)];
        EXPECT_EQ(section.orientation, kind % 2) << kind;
        EXPECT_EQ(section.size, kind % 3) << kind;
        EXPECT_EQ(section.tray, (kind + 1) % 3) << kind;
        EXPECT_EQ(section.printer, QStringLiteral("Kantoor"));
    }
    EXPECT_EQ(again.correctionLeft, QStringLiteral("-12"));
}

// Only one way of making PDFs is stored: the first switched on, in the order of the screen.
TEST_F(PrinterSetupTest, OneWayOfMakingPdfsAndTheOtherSwitchesAsTheyStand)
{
    const struct {
        std::array<bool, 6> on;
        const char *stored; // ShowRedirectedPrinters, UseWeegbonPrinter2, bioPDF, Bullzip, Nova, 7-PDF
    } cases[] = {
        {{false, false, true, false, true, false}, "001000"},
        {{true, false, false, true, false, true}, "100100"},
        {{false, true, false, false, true, true}, "010010"},
        {{false, false, false, false, false, true}, "000001"},
        {{true, true, true, true, true, true}, "111000"},
    };
    for (const auto &c : cases) {
        {
            PrinterSetup setup(ctx);
            setup.on = c.on;
            ASSERT_TRUE(setup.save());
        }
        QString stored;
        for (const PrinterSetup::Switch &option : PrinterSetup::switches())
            stored += registry.LeesRegistry(RegKeyKorvenal, option.name);
        EXPECT_EQ(stored, QLatin1String(c.stored));
        const PrinterSetup again(ctx);
        for (size_t i = 0; i < 6; ++i)
            EXPECT_EQ(again.on[i], c.stored[i] == '1') << c.stored << " " << i;
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
    EXPECT_EQ(dialogs.prompts(), QStringList(12, QStringLiteral("Een correctie moet een geheel getal zijn.")));
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
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = setup.save();
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(registryBytes(), before);
    EXPECT_EQ(dialogs.prompts(), QStringList{QStringLiteral("De instellingen kunnen niet in het register worden opgeslagen.")});
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
        const PrinterSetup setup(ctx);
        const PrinterSetup::Section &cmr = setup.sections[2];
        EXPECT_EQ(QStringList(std::begin(cmr.notAvailable), std::end(cmr.notAvailable)), c.notAvailable);
        EXPECT_EQ(cmr.printer, c.shownPrinter);
    }
}

TEST_F(PrinterSetupTest, WithoutPrintersTheListsStayEmptyAndEmptyTextsAreSaved)
{
    CupsPrinters none(folder.filePath(QStringLiteral("geen-cups.sock")));
    ctx.printers = &none;
    PrinterSetup setup(ctx);
    EXPECT_TRUE(setup.printers().isEmpty());
    EXPECT_EQ(shown(setup.sections[0]), QStringList(4, QString()));
    ASSERT_TRUE(setup.save());
    for (const PrinterSetup::Kind &kind : PrinterSetup::kinds())
        for (const QString &name : registry.valueNames(printerSettingKey(kind.key)))
            EXPECT_EQ(registry.LeesRegistry(printerSettingKey(kind.key), name), QString()) << name.toStdString();
    EXPECT_EQ(registry.valueNames(printerSettingKey(u"LabelPrinter")).size(), 7);
}

// What this screen saves for CMR is what the print manager puts in its lists for a CMR document.
TEST_F(PrinterSetupTest, TheSettingsOfCmrAreTakenByThePrintManager)
{
    {
        PrinterSetup setup(ctx);
        setup.choosePrinter(2, QStringLiteral("Kantoor"));
        setup.sections[2].orientation = 1;
        setup.sections[2].size = 2;
        setup.sections[2].tray = 1;
        ASSERT_TRUE(setup.save());
    }
    ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst");
    ctx.print.PrintDocuments[2] = QStringLiteral("CMR - 1");
    PrintManager manager(ctx);
    ASSERT_TRUE(manager.chooseDocument(1));
    EXPECT_EQ(manager.printer(), QStringLiteral("Kantoor"));
    EXPECT_EQ(manager.orientation, Liggend);
    EXPECT_EQ(manager.paperSize, 1);
    EXPECT_EQ(manager.tray, 2);
    ASSERT_TRUE(manager.chooseDocument(0));
    EXPECT_EQ(manager.orientation, Staand) << "another document: the printer's own again";
}

// The window over it: a printer chosen refills that kind's sizes and trays (none for a queue
// without a driver), and the save button stores what the controls show.
TEST_F(PrinterSetupTest, TheWindowSavesWhatItsControlsShow)
{
    ASSERT_EQ(server->admin(u"lpadmin"_s, {u"-p"_s, u"Rauw"_s, u"-E"_s, u"-v"_s, u"kvtest:"_s + folder.path(), u"-m"_s, u"raw"_s})
                  .remove(QRegularExpression(u".*deprecated.*\\n?"_s)),
              QString());
    ScreenRegistry screens;
    registerPrintingScreens(screens);
    const std::unique_ptr<ChildScreen> screen = screens.create(u"frmprinters", ctx, {});
    ASSERT_TRUE(qobject_cast<frmPrinters *>(screen.get()));
    auto *printer = child<QComboBox>(screen.get(), u"cboPrinterCMR"_s);
    auto *size = child<QComboBox>(screen.get(), u"cboFormaatCMR"_s);
    auto *tray = child<QComboBox>(screen.get(), u"cboLadeCMR"_s);
    ASSERT_TRUE(printer && size && tray);
    EXPECT_EQ(printer->currentText(), u"Etiket"_s);
    EXPECT_EQ(size->currentText(), u"A5"_s);

    printer->setCurrentText(u"Rauw"_s);
    EXPECT_EQ(size->count() + tray->count(), 0);
    printer->setCurrentText(u"Kantoor"_s);
    EXPECT_EQ(size->currentText(), u"A4"_s);
    EXPECT_EQ(tray->count(), 3);
    size->setCurrentIndex(2);
    child<QComboBox>(screen.get(), u"cboOrientatieCMR"_s)->setCurrentIndex(1);
    QTest::mouseClick(child<YesNo>(screen.get(), u"PDFviaNovaPDF"_s), Qt::LeftButton);
    QTest::keyClicks(child<QLineEdit>(screen.get(), u"txtVDMy"_s), u"-4"_s);
    const QSignalSpy saved(screen.get(), &ChildScreen::saved);
    QTest::mouseClick(child<QPushButton>(screen.get(), u"cmdSave"_s), Qt::LeftButton);

    ASSERT_EQ(saved.count(), 1);
    const QString cmr = printerSettingKey(u"CMR");
    EXPECT_EQ(registry.LeesRegistry(cmr, u"Printer") + u'|' + registry.LeesRegistry(cmr, u"Orientatie") + u'|'
                  + registry.LeesRegistry(cmr, u"Formaat"),
              u"Kantoor|Liggend|US Letter"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"PDFviaNovaPDF"), u"1"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"VDMy"), u"-4"_s);
}

} // namespace
} // namespace kv

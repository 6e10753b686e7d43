#include "core/context.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/mainwindow/frmmain.h"
#include "core/mainwindow/mainheader.h"
#include "core/mainwindow/sectionoverview.h"
#include "core/mainwindow/sectionpanelbutton.h"
#include "core/mainwindow/sectionpanels.h"
#include "core/navigation/menucolumn.h"
#include "core/navigation/menuitem.h"
#include "core/navigation/menutables.h"
#include "core/navigation/placeholderscreen.h"
#include "core/navigation/screenregistry.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "support/administrationfixture.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace nav = kv::nav;

namespace {

class MockDialogs : public kv::DialogService {
public:
    MOCK_METHOD(int, MsgBox, (const QString &, int, const QString &), (override));
    MOCK_METHOD(void, DisplayError, (const QString &, bool), (override));
    MOCK_METHOD(bool, OpenDocument, (const QString &), (override));
};

// A screen that counts how often it was made, initialised and left, and keeps the table it was
// given. It refuses to be left while `staying` (a save on leaving that failed).
struct Counts {
    int made = 0, inits = 0, leaves = 0;
    QString editKey;
    bool staying = false;
};
class CountingScreen : public kv::ChildScreen {
public:
    CountingScreen(Counts &counts, const kv::Context &ctx) : m_counts(counts)
    {
        ++counts.made;
        counts.editKey = ctx.EditKey;
    }
    void Init() override { ++m_counts.inits; }
    bool leave() override
    {
        ++m_counts.leaves;
        return !m_counts.staying;
    }

private:
    Counts &m_counts;
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        ctx.registry = &registry;
        ctx.dialogs = &dialogs;
        ctx.clock = [] { return QDateTime(QDate(2026, 6, 1), QTime(10, 0)); };
        ctx.workstation = QStringLiteral("PC");
    }

    // The window on a data folder; the administration is not opened, so that navigation can
    // be tested without one.
    kv::frmMain &window(const QString &commandLine)
    {
        m_window = std::make_unique<kv::frmMain>(ctx, screens, commandLine);
        ctx.DataPad = commandLine + u'/';
        return *m_window;
    }
    kv::frmMain &window()
    {
        QDir(dir.path()).mkdir(QStringLiteral("Bakker072026"));
        return window(dir.filePath(QStringLiteral("Bakker072026")));
    }

    const kv::PlaceholderScreen *placeholder() const
    {
        return qobject_cast<const kv::PlaceholderScreen *>(m_window->ActiefScherm());
    }

    // The window on an empty administration, once it has opened it.
    kv::frmMain &openedWindow()
    {
        ctx.session = &session;
        kv::frmMain &w = window(QDir(admin.dataPad()).absolutePath());
        w.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return session.isOpen(); }, 2000));
        return w;
    }

    void click(int row) { QTest::mouseClick(m_window->menu()->item(row), Qt::LeftButton); }

    QTemporaryDir dir;
    kv::RegistryFile registry{dir.filePath(QStringLiteral("registry.reg"))};
    testing::StrictMock<MockDialogs> dialogs;
    kv::ScreenRegistry screens;
    kv::test::TempAdministration admin;
    kv::Session session;
    kv::Context ctx;
    std::unique_ptr<kv::frmMain> m_window;
};

int panelIndex(QStringView key)
{
    const auto &panels = kv::sectionPanels();
    for (size_t i = 0; i < panels.size(); ++i)
        if (panels[i].key == key)
            return int(i);
    return -1;
}

} // namespace

TEST_F(MainWindowTest, StartsOnTheOverviewWithTheAdministrationOfTheCommandLine)
{
    kv::frmMain &w = window(dir.filePath(QStringLiteral("Bakker072026")));
    EXPECT_EQ(ctx.AdminCode, QStringLiteral("07"));
    EXPECT_EQ(ctx.AdminJaar, QStringLiteral("2026"));
    EXPECT_EQ(ctx.TweeCijferJaarMax, 2051);
    EXPECT_TRUE(registry.SchrijfRegistry(kv::RegKeyKorvenal, u"SnelZoeken", QStringLiteral("1")));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Beheer - KorvenalPro"));
    EXPECT_TRUE(w.isOverviewShown());
    EXPECT_TRUE(w.header()->backButton()->isHidden());
    EXPECT_EQ(w.header()->caption(), QStringLiteral("KorvenalPro"));
}

TEST_F(MainWindowTest, EndsSilentlyWhenTheAdministrationDoesNotOpen)
{
    kv::Session session;
    ctx.session = &session;
    for (const QString &commandLine : {dir.filePath(QStringLiteral("Bestaatniet012026")), QString()}) {
        kv::frmMain w(ctx, screens, commandLine);
        w.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000)) << commandLine.toStdString();
        EXPECT_EQ(ctx.DataPad, commandLine.isEmpty() ? QString() : commandLine + u'/');
    }
}

TEST_F(MainWindowTest, TitleNamesTheCompanyOfTheAdministration)
{
    kv::test::TempAdministration admin;
    {
        kv::Session session;
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        kv::db::Recordset &user = session.table(QStringLiteral("UserGegevens"));
        user.AddNew();
        user.setValue(u"Naam", QStringLiteral("Bakker BV"));
        user.Update();
    }
    kv::Session session;
    ctx.session = &session;
    kv::frmMain w(ctx, screens, admin.dataPad());
    w.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return session.isOpen(); }, 2000));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Bakker BV - Configuratie en Beheer"));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, TheSectionsWaitForTheAdministration)
{
    kv::frmMain &w = window();
    QTest::mouseClick(w.overview()->panel(0), Qt::LeftButton);
    EXPECT_TRUE(w.isOverviewShown());
}

TEST_F(MainWindowTest, EachSectionOpensItsFirstRowAndBackReturnsToTheOverview)
{
    kv::frmMain &w = openedWindow();
    for (size_t i = 0; i < kv::sectionPanels().size(); ++i) {
        const nav::MenuSection &section = *nav::findSection(kv::sectionPanels()[i].key);
        SCOPED_TRACE(section.key.toString().toStdString());
        QTest::mouseClick(w.overview()->panel(int(i)), Qt::LeftButton);
        EXPECT_FALSE(w.isOverviewShown());
        EXPECT_FALSE(w.header()->backButton()->isHidden());
        EXPECT_EQ(w.header()->caption(), nav::displayed(section.header));
        EXPECT_TRUE(w.menu()->item(0)->isSelected());
        ASSERT_NE(placeholder(), nullptr);
        EXPECT_EQ(placeholder()->screen(), section.rows[0].opens.screen);
        EXPECT_EQ(w.activeKey(), section.rows[0].key);

        QTest::mouseClick(w.header()->backButton(), Qt::LeftButton);
        EXPECT_TRUE(w.isOverviewShown());
        EXPECT_EQ(w.ActiefScherm(), nullptr);
        EXPECT_EQ(w.header()->caption(), QStringLiteral("KorvenalPro"));
        EXPECT_TRUE(w.header()->backButton()->isHidden());
    }
}

TEST_F(MainWindowTest, EveryMenuRowOpensItsScreenOrCodeTable)
{
    for (const char *file : {"trimble.mdb", "Grondstof.sqlite"}) {
        QFile touch(dir.filePath(QString::fromLatin1(file)));
        ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
    }
    kv::frmMain &w = window(dir.path());
    for (size_t i = 0; i < kv::sectionPanels().size(); ++i) {
        w.ToonSectie(int(i));
        const nav::MenuSection &section = *nav::findSection(kv::sectionPanels()[i].key);
        for (const nav::MenuRow &row : section.rows) {
            SCOPED_TRACE(row.key.toString().toStdString());
            click(row.row);
            EXPECT_TRUE(w.menu()->item(row.row)->isSelected());
            ASSERT_NE(placeholder(), nullptr);
            EXPECT_EQ(placeholder()->screen(), row.opens.screen);
            EXPECT_EQ(placeholder()->table(), row.opens.table);
            EXPECT_EQ(placeholder()->title(), nav::displayed(row.caption));
            EXPECT_TRUE(ctx.EditKey.isEmpty());
        }
    }
}

TEST_F(MainWindowTest, AMissingDatabaseHidesItsRowAndLeavesAGap)
{
    kv::frmMain &w = window();
    w.show();
    w.ToonSectie(panelIndex(u"extern"));
    QCoreApplication::processEvents();
    kv::MenuColumn &menu = *w.menu();
    EXPECT_TRUE(menu.item(5)->isHidden());
    EXPECT_FALSE(menu.item(6)->isHidden());
    EXPECT_EQ(menu.item(6)->caption(), QStringLiteral("Drevanik|Bramel"));
    EXPECT_GE(menu.item(6)->y() - menu.item(4)->y(), 2 * menu.item(4)->height());

    w.ToonSectie(panelIndex(u"fourage2"));
    EXPECT_FALSE(menu.item(13)->isHidden());
    EXPECT_TRUE(menu.item(14)->isHidden());
    EXPECT_TRUE(menu.item(15)->isHidden());
    EXPECT_TRUE(menu.item(16)->isHidden());
}

TEST_F(MainWindowTest, KeysIgnoreCaseAndAnUnknownKeyOpensNothing)
{
    kv::frmMain &w = window();
    const struct {
        const char *key, *screen, *table;
    } cases[] = {
        {"FRMBTW", "frmBTW", ""},
        {"frmvert", "frmHulp", "TabelVertcode"},
        {"tabelFGartikelsoort", "frmHulp", "tabelfgartikelsoort"},
        {"frmfacturen", "frmFacturenKopie", ""}, // the two keys no menu row carries
        {"frmfourage_diergroepen", "frmHulp", "tabelfgdiergroepen"},
    };
    for (const auto &c : cases) {
        w.OpenScherm(QString::fromLatin1(c.key));
        ASSERT_NE(placeholder(), nullptr) << c.key;
        EXPECT_EQ(placeholder()->screen(), QLatin1String(c.screen));
        EXPECT_EQ(placeholder()->table(), QLatin1String(c.table));
    }

    w.OpenScherm(QStringLiteral("frmonbekend"));
    EXPECT_EQ(w.ActiefScherm(), nullptr);
    w.OpenScherm(QStringLiteral("frmbtw"));
    w.OpenScherm(QString());
    EXPECT_EQ(w.ActiefScherm(), nullptr);
}

TEST_F(MainWindowTest, TheOpenScreenIsOnlyInitialisedAgainWhenItsRowIsChosenAgain)
{
    Counts company, codes;
    screens.add(QStringLiteral("frmBedrijfsgegevens"), [&](kv::Context &c) { return std::make_unique<CountingScreen>(company, c); });
    screens.add(QStringLiteral("frmHulp"), [&](kv::Context &c) { return std::make_unique<CountingScreen>(codes, c); });
    kv::frmMain &w = window();
    w.ToonSectie(panelIndex(u"systeem"));
    EXPECT_EQ(company.made, 1);
    EXPECT_EQ(company.inits, 1);
    click(0);
    EXPECT_EQ(company.made, 1);
    EXPECT_EQ(company.inits, 2);
    click(1);
    click(0);
    EXPECT_EQ(company.made, 2);

    w.ToonSectie(panelIndex(u"personeel"));
    click(2);
    EXPECT_EQ(codes.editKey, QStringLiteral("TabelVertcode"));
    EXPECT_TRUE(ctx.EditKey.isEmpty());
    EXPECT_TRUE(ctx.EditMode.isEmpty());
}

// Every way out of a screen asks it first; one that refuses stays, and so does its menu row.
TEST_F(MainWindowTest, AScreenThatRefusesToBeLeftStaysOpen)
{
    Counts company;
    screens.add(QStringLiteral("frmBedrijfsgegevens"), [&](kv::Context &c) { return std::make_unique<CountingScreen>(company, c); });
    kv::frmMain &w = window();
    w.show();
    w.ToonSectie(panelIndex(u"systeem"));
    kv::ChildScreen *screen = w.ActiefScherm();
    company.staying = true;

    click(1);
    QTest::mouseClick(w.header()->backButton(), Qt::LeftButton);
    w.ToonSectie(panelIndex(u"personeel"));
    EXPECT_FALSE(w.close());
    EXPECT_EQ(company.leaves, 4);
    EXPECT_EQ(w.ActiefScherm(), screen);
    EXPECT_TRUE(w.menu()->item(0)->isSelected());
    EXPECT_FALSE(w.menu()->item(1)->isSelected());
    EXPECT_FALSE(w.isOverviewShown());

    company.staying = false;
    click(1);
    EXPECT_EQ(company.leaves, 5);
    EXPECT_NE(placeholder(), nullptr);
}

TEST_F(MainWindowTest, ASaveShowsTheIndicatorForHalfASecond)
{
    Counts counts;
    CountingScreen *screen = nullptr;
    screens.add(QStringLiteral("frmBTW"), [&](kv::Context &c) {
        auto made = std::make_unique<CountingScreen>(counts, c);
        screen = made.get();
        return made;
    });
    kv::frmMain &w = window();
    w.OpenScherm(QStringLiteral("frmbtw"));
    ASSERT_NE(screen, nullptr);
    Q_EMIT screen->saved();
    EXPECT_TRUE(w.header()->isSavingShown());
    QTest::qWait(300);
    EXPECT_TRUE(w.header()->isSavingShown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.header()->isSavingShown(); }, 1000));
}

TEST_F(MainWindowTest, AScreenThatFailsToLoadIsReportedAndTheConsoleGoesOn)
{
    screens.add(QStringLiteral("frmLanden"), [](kv::Context &) -> std::unique_ptr<kv::ChildScreen> {
        kv::db::raise(kv::db::ErrTableNotFound, QStringLiteral("De tabel Landen is niet geopend."));
    });
    kv::frmMain &w = window();
    EXPECT_CALL(dialogs, DisplayError(QStringLiteral("De tabel Landen is niet geopend.\n\nFout 3078 bij: frmLanden: Openen"), false));
    w.OpenScherm(QStringLiteral("frmlanden"));
    EXPECT_EQ(w.ActiefScherm(), nullptr);

    QFile log(ctx.DataPad + u"kvpro-2026-06.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("SYSTEEM   : + Actie         : frmLanden: Openen\r\n"));
}

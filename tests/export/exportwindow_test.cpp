// The export window's start: the file asked for, written, and opened or said to need Excel.
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/navigation/screenregistry.h"
#include "editing/codetables/screens.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/members/members.h"
#include "editing/listdetail/registration.h"
#include "editing/selection/frmselectiescherm.h"
#include "export/exportwindow.h"
#include "maintenance/ordergapsscreen.h"
#include "printing/reports/dailylistscreen.h"
#include "support/demofixture.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>

using namespace kv;
using namespace kv::exporting;
using namespace Qt::StringLiterals;

TEST_F(DemoTest, ExportStartAsksTheFileAndOpensIt)
{
    ctx.clock = [] { return QDateTime(QDate(2026, 3, 9), QTime(10, 0)); };
    listdetail::ListLogic logic(ctx, *listdetail::findMember(u"frmVerpakkingen"_s));
    logic.refresh();
    const ListSource source = listSource(logic);

    startExport(ctx, source, SheetFormat::Xlsx, nullptr); // cancelled: nothing happens
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].proposed,
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + u"/Verpakking-20260309.xlsx"_s);
    EXPECT_TRUE(dialogs.opened.isEmpty());

    const QString path = dir.filePath(u"verpakkingen.xlsx"_s);
    dialogs.saveFiles = {path, path};
    startExport(ctx, source, SheetFormat::Xlsx, nullptr);
    EXPECT_EQ(dialogs.opened, QStringList{path});
    EXPECT_TRUE(dialogs.shown.empty());

    dialogs.opens = false;
    startExport(ctx, source, SheetFormat::Xlsx, nullptr);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].prompt, u"U heeft Microsoft Excel nodig voor deze functie"_s);
    EXPECT_EQ(dialogs.shown[0].title, u"Printen naar Excel"_s);
    EXPECT_TRUE(QFile::exists(path));

    FrmSelectieExporteren window(ctx, source);
    EXPECT_EQ(window.findChild<QPushButton *>(u"cmdStart"_s)->toolTip(), u"Klik hier om het exporteren te starten..."_s);
}

// Every screen that shows a list hands the export what it shows, row for row.
TEST_F(DemoTest, ListScreensHandTheirShownRowsToTheExport)
{
    ctx.clock = [] { return QDateTime(QDate(2026, 3, 4), QTime(10, 0)); };
    QStringList headers;
    std::vector<QStringList> handed;
    ctx.exportList = [&](const ListSource &list, QWidget *) {
        headers = list.headers;
        handed.clear();
        list.visitRows([&](const QStringList &row) {
            handed.push_back(row);
            return true;
        });
    };
    // The top rows of the screen's list, cell by cell as shown.
    const auto shown = [](QWidget &screen) {
        const QAbstractItemModel *model = screen.findChild<QAbstractItemView *>()->model();
        std::vector<QStringList> rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows.push_back(cells);
        }
        return rows;
    };
    session.DBAdmin().write([&] { // a gap in the order numbers
        session.DBAdmin().prepareOnce(u"DELETE FROM Ordergegevens WHERE OrderNr = (SELECT OrderNr FROM Ordergegevens "
                                      u"ORDER BY OrderNr LIMIT 1 OFFSET 3)"_s).step();
    });
    ScreenRegistry screens;
    listdetail::registerListDetailScreens(screens);
    codetables::registerCodeTableScreens(screens);
    maintenance::registerOrderGapsScreen(screens);
    reports::registerDailyListScreens(screens);
    const struct {
        QString screen, editKey;
        QString firstHeader;
        bool sameAsShown; // a flat list; the daily list shows a tree of days and groups
    } cases[] = {
        {u"frmVerpakkingen"_s, {}, u"Nr"_s, true},
        {u"frmHulp"_s, u"tabelloods"_s, u"Loods"_s, false}, // a list of ticked texts: "Ja"/"Nee" beside them
        {u"frmOverzicht_NietGebruikteOrdernummers"_s, {}, u"Van"_s, true},
        {u"frmLeveringenLijst"_s, {}, u"Datum"_s, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.screen.toStdString());
        ctx.EditKey = c.editKey;
        std::unique_ptr<ChildScreen> screen = screens.create(c.screen, ctx, {});
        screen->Init();
        if (auto *from = screen->findChild<QLineEdit *>(u"txtDatum"_s))
            from->setText(u"02-03-2026"_s);
        handed.clear();
        screen->findChild<QPushButton *>(u"cmdExporteren"_s)->click();
        ASSERT_FALSE(headers.isEmpty());
        EXPECT_EQ(headers[0], c.firstHeader);
        if (c.sameAsShown) {
            EXPECT_FALSE(handed.empty());
            EXPECT_EQ(handed, shown(*screen));
        }
        else
            EXPECT_FALSE(handed.empty());
    }

    frmSelectieScherm search(ctx, u"frmrelaties"_s);
    search.zoekVeld()->setText(u"a"_s);
    search.zoeken();
    search.lijst()->sortByColumn(1, Qt::DescendingOrder);
    search.findChild<QPushButton *>(u"cmdExporteren"_s)->click();
    ASSERT_GT(handed.size(), 1u);
    EXPECT_EQ(handed, shown(search)); // the order the user sorted it in
}

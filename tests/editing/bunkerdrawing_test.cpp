#include "editing/listdetail/bunkers/bunkercanvas.h"
#include "editing/listdetail/bunkers/bunkerdrawing.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/members/members.h"
#include "listdetail_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

namespace {

// Runs `work` on the modal window named `name` once it is shown.
void whenShown(const QString &name, std::function<void(QDialog &)> work)
{
    QTimer::singleShot(0, [name, work] {
        const auto window = [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            return dialog && dialog->objectName() == name ? dialog : nullptr;
        };
        if (QTest::qWaitFor([&] { return window() != nullptr; }, 2000))
            work(*window());
        else
            ADD_FAILURE() << "no " << name.toStdString();
    });
}

} // namespace

// "Tekening..." on the bunker list opens the drawing; a double-click on a tile edits that bunker
// in the list's popup, and the drawing shows what was saved.
TEST_F(ListDetailTest, TheBunkerDrawingEditsTheDoubleClickedBunker)
{
    session.DBAdmin().Execute(u"INSERT INTO TabelLoods (CodeNr, Omschrijving) VALUES (1, \"Loods A\")"_s);
    addRecord(u"Bunkers"_s, {{u"BunkerNaam"_s, u"Buitenbunker"_s}, {u"BunkerType"_s, u"Bunker"_s}});
    addRecord(u"Bunkers"_s, {{u"BunkerNaam"_s, u"Silo 1"_s}, {u"BunkerType"_s, u"Silo"_s}, {u"BunkerLoods"_s, 1},
                             {u"BunkerStatus"_s, u"Leeg"_s}});
    ListScreen screen(ctx, *findMember(u"frmBunkers"));
    screen.show();
    auto *button = screen.findChild<QPushButton *>(u"cmdTekening"_s);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), u"Tekening..."_s);

    QStringList bands;
    QString edited, shownAfter;
    whenShown(u"frmBunkersTekening"_s, [&](QDialog &drawing) {
        auto *canvas = drawing.findChild<BunkerCanvas *>();
        for (const BunkerLayout::Band &band : canvas->layout().bands)
            bands += band.title;
        whenShown(u"frmBunkersPopup"_s, [&](QDialog &popup) {
            edited = popup.findChild<QLineEdit *>(u"BunkerNaam"_s)->text();
            auto *status = popup.findChild<QLineEdit *>(u"BunkerStatus"_s);
            status->selectAll();
            QTest::keyClicks(status, u"Gevuld"_s);
            QTest::mouseClick(popup.findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
        });
        const BunkerLayout::Tile &silo = canvas->layout().bands.front().tiles.front();
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, silo.rect.center());
        for (const BunkerItem &item : canvas->bunkers())
            shownAfter += item.name + u'=' + item.status + u' ';
        QTest::mouseClick(drawing.findChild<QPushButton *>(u"cmdClose"_s), Qt::LeftButton);
    });
    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(bands, (QStringList{u"Loods A"_s, u"Zonder loods"_s}));
    EXPECT_EQ(edited, u"Silo 1"_s);
    EXPECT_EQ(shownAfter, u"Buitenbunker= Silo 1=Gevuld "_s);
    auto *list = screen.findChild<QTreeView *>(u"lstItems"_s);
    EXPECT_EQ(list->model()->index(1, 1).data().toString(), u"Gevuld"_s);
    EXPECT_TRUE(dialogs.prompts().isEmpty());
}

#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/members/members.h"
#include "listdetail_fixture.h"
#include "support/printers.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace kv;
using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

namespace {

// Runs `work` on the popup once it is shown modally.
void whenPopupShows(std::function<void(QDialog &)> work)
{
    QTimer::singleShot(0, [work] {
        const auto popup = [] { return qobject_cast<QDialog *>(QApplication::activeModalWidget()); };
        if (QTest::qWaitFor([&] { return popup() != nullptr; }, 2000))
            work(*popup());
        else
            ADD_FAILURE() << "no popup";
    });
}

} // namespace

TEST_F(ListDetailTest, ListScreenAndPopupAreBoundToTheLogic)
{
    addRecord(u"ValutaTabel"_s, {{u"Valutacode"_s, u"EUR"_s}, {u"valutaland"_s, u"Europa"_s}});
    ListScreen screen(ctx, *findMember(u"frmValuta"));
    screen.resize(800, 500);
    screen.show();
    auto *list = screen.findChild<QTreeView *>(u"lstItems"_s);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 1);

    // Add: typed text goes through the popup's fields; OK saves and the list shows the new row.
    whenPopupShows([](QDialog &popup) {
        auto *code = popup.findChild<QLineEdit *>(u"Valutacode"_s);
        auto *date = popup.findChild<QLineEdit *>(u"koersdatum"_s);
        popup.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&popup));
        QTest::keyClicks(code, u"usd"_s);
        date->setFocus();
        QTest::keyClicks(date, u"05012020"_s);
        code->setFocus(); // leaving the date shows it as a date
        EXPECT_EQ(date->text(), u" 5 jan 2020"_s);
        QTest::mouseClick(popup.findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    });
    QTest::mouseClick(screen.findChild<QPushButton *>(u"cmdAddNew"_s), Qt::LeftButton);
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(list->model()->index(1, 0).data().toString(), u"USD"_s);
    EXPECT_EQ(list->model()->index(1, 4).data().toString(), u" 5 jan 2020"_s);

    // A click on a header sorts; a second click reverses.
    const QPoint isoHeader(list->header()->sectionViewportPosition(0) + 5, 5);
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {}, isoHeader);
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {}, isoHeader);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), u"USD"_s);

    // Double-click edits the row: the popup shows the record; closing it changes nothing.
    QString shownCountry;
    whenPopupShows([&](QDialog &popup) {
        shownCountry = popup.findChild<QLineEdit *>(u"valutaland"_s)->text();
        QTest::mouseClick(popup.findChild<QPushButton *>(u"cmdClose"_s), Qt::LeftButton);
    });
    const QRect euro = list->visualRect(list->model()->index(1, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, euro.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, euro.center());
    EXPECT_EQ(shownCountry, u"Europa"_s);
    EXPECT_EQ(list->model()->rowCount(), 2);
    EXPECT_TRUE(dialogs.prompts().isEmpty());
}

#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/members/members.h"
#include "editing/selection/zoekvenster.h"
#include "listdetail_fixture.h"
#include "support/printers.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTableView>
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

// A "*" in an article field opens the selection window on what was typed; Return on a row
// puts its number in the field and its description beside it.
TEST_F(ListDetailTest, AStarInAnArticleFieldPicksFromTheSelectionWindow)
{
    addRecord(u"Artikelen"_s, {{u"ArtikelNummer"_s, u"TAR01"_s}, {u"Omschrijving1"_s, u"Wintertarwe"_s}});
    addRecord(u"Artikelen"_s, {{u"ArtikelNummer"_s, u"TAR02"_s}, {u"Omschrijving1"_s, u"Zomertarwe"_s}});
    addRecord(u"Artikelen"_s, {{u"ArtikelNummer"_s, u"GER01"_s}, {u"Omschrijving1"_s, u"Gerst"_s}});
    ctx.EditMode = u"addnew"_s;
    DetailPopup popup(ctx, *findMember(u"frmArtikelSoort"));
    popup.show();
    auto *field = popup.findChild<QLineEdit *>(u"ArtikelNummer"_s);
    ASSERT_NE(field, nullptr);

    // The window runs its own event loop: answer from inside it, once it is up.
    int listed = -1;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *selectie = qobject_cast<ZoekVenster *>(QApplication::activeModalWidget());
        if (!selectie)
            return;
        poll.stop();
        EXPECT_EQ(selectie->zoekVeld()->text(), u"tar"_s);
        selectie->zoeken();
        listed = selectie->lijst()->model()->rowCount();
        selectie->lijst()->selectRow(1);
        QTest::keyClick(selectie->lijst(), Qt::Key_Return);
    });
    poll.start();
    QTest::keyClicks(field, u"tar*"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return field->text() == u"TAR02"_s; }, 3000)) << field->text().toStdString();
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(popup.findChild<QLabel *>(u"ArtikelNummerNaam"_s)->text(), u"Zomertarwe"_s);
    EXPECT_EQ(popup.logic().text(u"ArtikelNummer"_s), u"TAR02"_s);
    EXPECT_TRUE(ctx.SelectieResultaat().isEmpty());
}

// The IBAN advice shows under the bank account while typing and never stops the OK.
TEST_F(ListDetailTest, IbanAdviceUnderTheBankAccountDoesNotStopTheSave)
{
    ListScreen screen(ctx, *findMember(u"frmMedewerkers"));
    screen.show();
    QString shown, after;
    whenPopupShows([&](QDialog &popup) {
        popup.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&popup));
        auto *bank = popup.findChild<QLineEdit *>(u"BankNr"_s);
        auto *advice = popup.findChild<QLabel *>(u"BankNrAdvies"_s);
        ASSERT_TRUE(bank && advice);
        EXPECT_FALSE(advice->isVisible());
        QTest::keyClicks(bank, u"NL58ABNA041716430"_s);
        shown = advice->isVisible() ? advice->text() : QString();
        QTest::keyClicks(bank, u"0"_s); // NL58ABNA0417164300: the length of a Dutch IBAN
        after = advice->isVisible() ? advice->text() : u"(verborgen)"_s;
        QTest::keyClick(bank, Qt::Key_Backspace);
        QTest::mouseClick(popup.findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    });
    QTest::mouseClick(screen.findChild<QPushButton *>(u"cmdAddNew"_s), Qt::LeftButton);
    EXPECT_EQ(shown, u"Let op: een IBAN uit Nederland heeft 18 tekens."_s);
    EXPECT_EQ(after, u"(verborgen)"_s);
    db::Recordset &rs = session.table(u"Medewerkers"_s);
    rs.MoveFirst();
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.text(u"BankNr"_s), u"NL58ABNA041716430"_s);
}

#include "codetables_fixture.h"

#include "core/db/database.h"
#include "support/demofixture.h"
#include "editing/codetables/combos.h"
#include "editing/codetables/frmhulp.h"
#include "editing/codetables/frmhulppopup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace kv;
using namespace kv::codetables;
using namespace Qt::Literals::StringLiterals;
using kv::test::CodeTableTest;
using kv::test::Stored;

namespace {

// Answers the popup that the next modal exec shows.
void answerPopup(const QString &typed)
{
    QTimer::singleShot(0, [typed] {
        auto *popup = qobject_cast<FrmHulpPopup *>(QApplication::activeModalWidget());
        ASSERT_NE(popup, nullptr);
        auto *field = popup->findChild<QLineEdit *>();
        field->selectAll();
        QTest::keyClicks(field, typed);
        QTest::mouseClick(popup->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    });
}

} // namespace

TEST_F(CodeTableTest, TheScreenEditsTicksAndWritesTheTableWhenItIsLeft)
{
    put(u"TabelBrandstof"_s, {{1, u"Diesel"_s, true, 1}, {2, u"Benzine"_s, true, 1}});
    ctx.EditKey = u"TabelBrandstof"_s;
    FrmHulp screen(ctx);
    screen.show();
    EXPECT_EQ(screen.findChild<QLabel *>(u"lblCaption"_s)->text(), u"Brandstof"_s);
    EXPECT_EQ(screen.findChild<QLabel *>(u"lblVoorbeeld"_s)->text(),
              u"Voorbeeld: benzine, diesel, gas, elektrisch, waterstof etc."_s);

    QListWidget *list = screen.list();
    ASSERT_EQ(list->count(), 99);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    list->item(0)->setCheckState(Qt::Unchecked);

    answerPopup(u"LPG"_s);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(list->item(1)->text(), u"LPG"_s);
    EXPECT_EQ(ctx.EditKey, u"TabelBrandstof"_s);

    QTest::mouseClick(screen.sortedBox(), Qt::LeftButton);
    EXPECT_TRUE(open(u"tabelbrandstof"_s).sorted());

    QSignalSpy saved(&screen, &ChildScreen::saved);
    EXPECT_TRUE(screen.leave());
    EXPECT_EQ(saved.count(), 1);
    EXPECT_TRUE(screen.leave()); // nothing more to write
    EXPECT_EQ(saved.count(), 1);
    const std::vector<Stored> after = stored(u"TabelBrandstof"_s);
    ASSERT_EQ(after.size(), 99u);
    EXPECT_EQ(after[0], (Stored{1, u"Diesel"_s, false, -1}));
    EXPECT_EQ(after[1], (Stored{2, u"LPG"_s, true, 1}));
}

// The demo administration: every code table of the menus opens with its data, leaving it
// unchanged writes nothing, and what every description combo shows stays, keys included.
using CodeTablesOnTheDemo = DemoTest;
TEST_F(CodeTablesOnTheDemo, EveryMenuTableOpensWithItsDataAndASaveKeepsTheCombos)
{
    int filled = 0;
    for (const QString &table : kv::test::menuCodeTables()) {
        SCOPED_TRACE(table.toStdString());
        QComboBox before, after;
        auto rs = session.DBAdmin().OpenTable(table);
        FillCombo(&before, *rs);
        filled += before.count() > 0;

        const int rows = rs->RecordCount();
        ctx.EditKey = table;
        HulpList list(ctx);
        ASSERT_EQ(int(list.entries().size()), slotCount(table));
        for (int i = 0; i < before.count(); ++i)
            EXPECT_EQ(list.entries()[size_t(before.itemData(i).toInt() - 1)].text, before.itemText(i));
        EXPECT_EQ(list.save(), HulpList::Saved::Unchanged); // looking changes no row
        EXPECT_EQ(rs->RecordCount(), rows);

        // A change to the last entry rewrites the table; every other entry keeps its key.
        const int last = slotCount(table) - 1;
        list.setTicked(last, !list.entries()[size_t(last)].ticked);
        EXPECT_EQ(list.save(), HulpList::Saved::Written);
        FillCombo(&after, *rs, {}, {}, true);
        for (int i = 0; i < before.count(); ++i) {
            const int at = after.findData(before.itemData(i));
            EXPECT_TRUE(at >= 0 && after.itemText(at) == before.itemText(i)) << before.itemText(i).toStdString();
        }
    }
    EXPECT_GT(filled, 40);
    EXPECT_TRUE(dialogs.shown.empty());
}

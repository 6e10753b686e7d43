#include "support/demofixture.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/members/members.h"
#include "support/printers.h"

using namespace kv;
using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

// The demo administration: every member lists its data; a record saved unchanged keeps its
// row; a record deleted after the question and typed in again comes back as it was (without
// the records linked to the deleted one).
using ListDetailOnTheDemo = DemoTest;
TEST_F(ListDetailOnTheDemo, EveryMemberListsEditsDeletesAndAddsItsRecords)
{
    for (const Member &member : members()) {
        SCOPED_TRACE(member.screen.toStdString());
        ListLogic list(ctx, member);
        QHash<QString, QString> typed; // the first record as its popup shows it
        list.showPopup = [&] {
            DetailLogic popup(ctx, member);
            if (popup.adding()) {
                for (auto it = typed.begin(); it != typed.end(); ++it)
                    popup.setText(it.key(), it.value());
            } else {
                for (const Field &field : member.fields)
                    typed[field.name] = popup.text(field.name);
            }
            EXPECT_TRUE(popup.save()) << dialogs.prompts().join(u'\n').toStdString();
        };
        list.refresh();
        const auto before = list.rows();
        ASSERT_FALSE(before.empty());

        list.edit(0);
        ASSERT_EQ(list.rows().size(), before.size());
        const int row = list.rowOf(before[0].key);
        ASSERT_GE(row, 0);
        for (size_t c = 0; c < member.columns.size(); ++c)
            EXPECT_EQ(list.rows()[size_t(row)].cells[c].text, before[0].cells[c].text);
        if (member.editOnly())
            continue;

        dialogs.script({mb::No, mb::Yes});
        list.remove(row);
        EXPECT_EQ(list.rows().size(), before.size());
        list.remove(row);
        ASSERT_EQ(list.rows().size(), before.size() - 1);
        EXPECT_EQ(list.rowOf(before[0].key), -1);

        list.addNew();
        ASSERT_EQ(list.rows().size(), before.size());
        const auto added = std::find_if(list.rows().begin(), list.rows().end(), [&](const ListLogic::Row &r) {
            return std::none_of(before.begin() + 1, before.end(), [&](const ListLogic::Row &b) { return b.key == r.key; });
        });
        ASSERT_NE(added, list.rows().end());
        for (size_t c = 0; c < member.columns.size(); ++c) {
            // Records linked to the deleted one stay with its number, which is not given out again.
            const bool linked = member.columns[c].lookup && member.columns[c].lookup->every;
            EXPECT_EQ(added->cells[c].text, linked ? QString() : before[0].cells[c].text)
                << member.columns[c].caption.toStdString();
        }
        EXPECT_EQ(dialogs.prompts().size(), 2);
        EXPECT_TRUE(dialogs.prompts().first().startsWith(member.deleteQuestion));
        dialogs.shown.clear();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
}

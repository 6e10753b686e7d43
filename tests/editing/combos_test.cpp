#include "codetables_fixture.h"

#include "core/db/database.h"
#include "editing/codetables/combos.h"

#include <QComboBox>

using namespace kv;
using namespace kv::codetables;
using namespace Qt::Literals::StringLiterals;
using kv::test::CodeTableTest;

namespace {

using Items = std::vector<std::pair<QString, int>>;

Items items(const QComboBox &combo)
{
    Items out;
    for (int i = 0; i < combo.count(); ++i)
        out.emplace_back(combo.itemText(i), combo.itemData(i).toInt());
    return out;
}

class ComboTest : public CodeTableTest {
protected:
    ComboTest()
    {
        put(u"TabelBetaalWijzen"_s, {{1, u"Incasso"_s, true, 1},
                                     {2, u"Bank"_s, false, -1},
                                     {3, u"(niet ingesteld)"_s, true, 1},
                                     {4, u" Contant "_s, true, 1}});
        table = session.DBAdmin().OpenTable(u"TabelBetaalWijzen"_s);
    }
    std::unique_ptr<db::Recordset> table;
};

} // namespace

TEST_F(ComboTest, FillComboListsTheActiveEntriesWithTheirPositionAsKey)
{
    struct Row {
        QString noChoice, fromZero;
        bool skip;
        Items expected;
    };
    const Row rows[] = {
        {{}, {}, false, {{u"Incasso"_s, 1}, {u"(niet ingesteld)"_s, 3}, {u"Contant"_s, 4}}},
        {{}, u"0"_s, false, {{u"Incasso"_s, 0}, {u"(niet ingesteld)"_s, 2}, {u"Contant"_s, 3}}},
        {{}, {}, true, {{u"Incasso"_s, 1}, {u"Contant"_s, 4}}},
        {u"<geen>"_s, {}, true, {{u"<geen>"_s, -1}, {u"Incasso"_s, 1}, {u"Contant"_s, 4}}},
    };
    for (const Row &r : rows) {
        QComboBox combo;
        combo.addItem(u"oud"_s, 9);
        FillCombo(&combo, *table, r.noChoice, r.fromZero, r.skip);
        EXPECT_EQ(items(combo), r.expected) << r.noChoice.toStdString() << r.fromZero.toStdString() << r.skip;
    }
}

TEST_F(ComboTest, GetOmschrijvingLooksUpTheKey)
{
    const std::pair<int, QString> rows[] = {
        {1, u"Incasso"_s}, {2, u"Bank"_s}, {3, u"n/a"_s}, {4, u" Contant "_s}, {0, u""_s}, {-1, u""_s}, {99, u""_s},
    };
    for (const auto &[key, text] : rows) {
        EXPECT_EQ(GetOmschrijving(*table, key), text) << key;
        EXPECT_EQ(GetOmschrijvingUitTabel(ctx, u"tabelbetaalwijzen"_s, key), text) << key;
    }
    EXPECT_EQ(GetOmschrijvingUitTabel(ctx, u"TabelBrandstof"_s, 1), u""_s);
}

TEST_F(ComboTest, AKeyTheListDoesNotShowIsKeptAndMarked)
{
    QComboBox combo;
    FillCombo(&combo, *table, u"<geen>"_s);
    const QColor normal = combo.palette().color(QPalette::Base);

    SetComboKey(&combo, 4);
    EXPECT_EQ(combo.currentText(), u"Contant"_s);
    EXPECT_EQ(GetComboKey(&combo, 77), 4);

    SetComboKey(&combo, 2); // inactive: not in the list
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.palette().color(QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(GetComboKey(&combo, 2), 2);

    SetComboKey(&combo, 1);
    EXPECT_EQ(combo.palette().color(QPalette::Base), normal);
    EXPECT_EQ(GetComboKey(&combo, 2), 1);

    SetComboKey(&combo, 2, true);
    EXPECT_EQ(GetComboKey(&combo, 2), -1);

    SetComboKey(&combo, -1);
    EXPECT_EQ(combo.currentText(), u"<geen>"_s);
    EXPECT_EQ(GetComboKey(&combo, 5), -1);

    QComboBox empty;
    SetComboKey(&empty, 3);
    EXPECT_EQ(GetComboKey(&empty, 3), 3);
    SetComboKey(nullptr, 3); // a screen without that combo
}

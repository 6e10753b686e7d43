#include "core/mainwindow/sectionpanels.h"
#include "core/navigation/menutables.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nav = kv::nav;

namespace {

void touch(const QTemporaryDir &dir, const char *name)
{
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

std::vector<int> shownNumbers(QStringView section, const QString &dataPad)
{
    std::vector<int> numbers;
    for (const nav::MenuRow *row : nav::shownRows(*nav::findSection(section), dataPad))
        if (row)
            numbers.push_back(row->row);
    return numbers;
}

} // namespace

TEST(MenuTables, EveryPanelHasASectionWhoseRowsAreNumberedInOrder)
{
    ASSERT_EQ(kv::sectionPanels().size(), 13u);
    EXPECT_EQ(nav::menuSections().size(), 13u);
    for (const kv::SectionPanel &panel : kv::sectionPanels()) {
        const nav::MenuSection *section = nav::findSection(panel.key);
        ASSERT_NE(section, nullptr) << panel.key.toString().toStdString();
        for (size_t i = 0; i < section->rows.size(); ++i)
            EXPECT_EQ(section->rows[i].row, int(i)) << panel.key.toString().toStdString();
    }
}

TEST(MenuTables, EveryKeyOpensOneThingWhateverItsCase)
{
    QSet<QString> keys;
    for (const nav::MenuSection &section : nav::menuSections())
        for (const nav::MenuRow &row : section.rows) {
            const QString key = row.key.toString().toLower();
            EXPECT_FALSE(keys.contains(key)) << "two rows carry " << key.toStdString();
            keys.insert(key);
            const auto opens = nav::screenFor(row.key.toString().toUpper());
            ASSERT_TRUE(opens) << key.toStdString();
            EXPECT_EQ(opens->screen, row.opens.screen);
            EXPECT_EQ(opens->table, row.opens.table);
        }
}

TEST(MenuTables, RowsForMissingDatabasesStayHiddenAndLeaveTheirNumbers)
{
    QTemporaryDir dir;
    const QString dataPad = dir.path() + u'/';
    EXPECT_EQ(shownNumbers(u"extern", dataPad), (std::vector<int>{0, 1, 2, 3, 4, 6}));
    EXPECT_EQ(shownNumbers(u"fourage2", dataPad), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));

    touch(dir, "Trimble.SQLITE");
    touch(dir, "grondstof.mdb");
    EXPECT_EQ(shownNumbers(u"extern", dataPad), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(shownNumbers(u"fourage2", dataPad).size(), 16u);
}

#include "enginefixture.h"

// Record sets hold on to what the database knows of their table; opening many more tables
// afterwards (the session opens 160) must not move that knowledge away under them.
TEST_F(EngineTest, RecordSetsSurviveOpeningManyMoreTables)
{
    auto articles = db->OpenTable(QStringLiteral("Artikelen"));
    std::vector<std::unique_ptr<kv::db::Recordset>> others;
    for (int i = 0; i < 200; ++i) {
        db->Execute(QStringLiteral("CREATE TABLE Extra%1 (ID INTEGER)").arg(i));
        others.push_back(db->OpenTable(QStringLiteral("Extra%1").arg(i)));
    }
    addArticle(QStringLiteral("A1"), QStringLiteral("Eerste"));
    EXPECT_EQ(articles->RecordCount(), 1);
    EXPECT_EQ(walk(*articles, u"ArtNr"), QStringList{QStringLiteral("A1")});
}

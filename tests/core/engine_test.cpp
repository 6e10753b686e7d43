#include "enginefixture.h"

#include <QRandomGenerator>
#include <QSet>

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

using kv::db::Recordset;

TEST_F(EngineTest, WalksInIndexOrderAcrossBatchesBothWays)
{
    // More rows than one batch holds, added in scrambled order, in mixed case.
    QStringList numbers;
    for (int i = 0; i < 1500; ++i)
        numbers << QStringLiteral("%1%2").arg(i % 2 ? u'a' : u'A').arg(i, 4, 10, QLatin1Char('0'));
    std::shuffle(numbers.begin(), numbers.end(), *QRandomGenerator::global());
    db->write([&] {
        for (const QString &nr : std::as_const(numbers))
            addArticle(nr, QStringLiteral("Artikel ") + nr);
    });

    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    EXPECT_EQ(rs->RecordCount(), 1500);
    QStringList forward = walk(*rs, u"ArtNr");
    QStringList expected = numbers;
    std::sort(expected.begin(), expected.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(forward, expected);

    QStringList backward;
    double lastPercent = 101;
    for (rs->MoveLast(); !rs->Bof(); rs->MovePrevious()) {
        backward.prepend(rs->text(u"ArtNr"));
        const double percent = rs->PercentPosition();
        EXPECT_LT(percent, lastPercent);
        lastPercent = percent;
    }
    EXPECT_EQ(backward, expected);
    EXPECT_EQ(lastPercent, 0);
    EXPECT_EQ(errorOf([&] { rs->MovePrevious(); }), kv::db::ErrNoCurrentRecord);

    // A long walk copies only the fields it has read; one read late in the walk is still right.
    int row = 0;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext(), ++row) {
        const QString nr = rs->text(u"ArtNr");
        if (row >= 1000) {
            ASSERT_EQ(rs->text(u"Omschrijving"), QStringLiteral("Artikel ") + nr) << row;
        }
    }
}

TEST_F(EngineTest, SeekFindsKeysWithoutRegardToCase)
{
    for (const char *nr : {"AB1", "ab2", "B7", "C"})
        addArticle(QString::fromLatin1(nr), QStringLiteral("over ") + QString::fromLatin1(nr));
    auto rs = db->OpenTable(QStringLiteral("artikelen")); // table names ignore case too
    rs->setIndex(QStringLiteral("primarykey"));

    rs->Seek(u"=", QStringLiteral("ab1"));
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->text(u"artnr"), QStringLiteral("AB1"));
    rs->MoveNext(); // the walk goes on in index order from the found record
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("ab2"));

    rs->Seek(u"=", QStringLiteral("ZZ"));
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(errorOf([&] { rs->text(u"ArtNr"); }), kv::db::ErrNoCurrentRecord);

    rs->Seek(u">=", QStringLiteral("B"));
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("B7"));
    rs->Seek(u"<", QStringLiteral("B"));
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("ab2"));
    // A Seek now copies only ArtNr; a field read for the first time and a walk on are still right.
    EXPECT_EQ(rs->text(u"Omschrijving"), QStringLiteral("over ab2"));
    rs->Seek(u"=", QStringLiteral("b7"));
    rs->MoveNext();
    EXPECT_EQ(rs->text(u"Omschrijving"), QStringLiteral("over C"));
    rs->MovePrevious();
    rs->MovePrevious();
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("ab2"));

    // A key longer than the field can hold matches nothing rather than failing.
    rs->Seek(u"=", QStringLiteral("much too long for the key"));
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(errorOf([&] { rs->setIndex(QStringLiteral("Bestaatniet")); }), kv::db::ErrNotAnIndex);
}

TEST_F(EngineTest, NullKeysComeFirstAndAreWalked)
{
    addArticle(QStringLiteral("A"), QStringLiteral("a"), 2);
    addArticle(QStringLiteral("B"), QStringLiteral("b"));
    addArticle(QStringLiteral("C"), QStringLiteral("c"), 1);
    addArticle(QStringLiteral("D"), QStringLiteral("d"));
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("Groep"));
    EXPECT_EQ(walk(*rs, u"ArtNr"), QStringList({"B", "D", "C", "A"}));
    QStringList backward;
    for (rs->MoveLast(); !rs->Bof(); rs->MovePrevious())
        backward << rs->text(u"ArtNr");
    EXPECT_EQ(backward, QStringList({"A", "C", "D", "B"}));
    rs->Seek(u"=", QVariant());
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("B"));
    rs->Seek(u"<", QVariant()); // nothing sorts before Null
    EXPECT_TRUE(rs->NoMatch());
    rs->Seek(u"<=", QVariant());
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("D"));
    rs->MoveNext(); // turning back after a Seek that copied no keys
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("C"));
}

TEST_F(EngineTest, DuplicateKeysAcrossBatchesAreEachVisitedOnce)
{
    db->write([&] {
        for (int i = 0; i < 700; ++i)
            addArticle(QString::number(i), QString::number(i), i % 3 ? QVariant(i % 5) : QVariant());
    });
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("Groep"));
    QStringList forward = walk(*rs, u"ArtNr");
    QStringList backward;
    for (rs->MoveLast(); !rs->Bof(); rs->MovePrevious())
        backward.prepend(rs->text(u"ArtNr"));
    EXPECT_EQ(forward.size(), 700);
    EXPECT_EQ(QSet<QString>(forward.begin(), forward.end()).size(), 700);
    EXPECT_EQ(backward, forward);
}

TEST_F(EngineTest, DeletingWhileWalkingContinuesWithTheNextRecord)
{
    db->write([&] {
        for (int i = 0; i < 1000; ++i)
            addArticle(QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')), QString::number(i % 3));
    });
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    int visited = 0;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        ++visited;
        if (rs->text(u"Omschrijving") != u"0")
            rs->Delete();
    }
    EXPECT_EQ(visited, 1000);
    EXPECT_EQ(rs->RecordCount(), 334);
    for (const QString &left : walk(*rs, u"Omschrijving"))
        ASSERT_EQ(left, QStringLiteral("0"));

    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 0);
    rs->MoveFirst();
    EXPECT_TRUE(rs->Eof() && rs->Bof());
}

TEST_F(EngineTest, EditKeepsWhatUpdateWritesAndDropsTheRest)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("oud"));
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->Edit();
    rs->setValue(u"Omschrijving", QStringLiteral("nieuw"));
    rs->setValue(u"Prijs", QStringLiteral("12,34567"));
    rs->setValue(u"Actief", 1);
    EXPECT_EQ(rs->text(u"Omschrijving"), QStringLiteral("nieuw")); // reads see the edit buffer
    rs->Update();
    EXPECT_EQ(rs->text(u"Omschrijving"), QStringLiteral("nieuw"));
    EXPECT_DOUBLE_EQ(rs->value(u"Prijs").toDouble(), 12.3457); // four decimals
    for (const auto &[written, read] : {std::pair{"1.234,50", 1234.5}, {"1.5", 1.5}, {" -7 ", -7.0}}) {
        rs->Edit();
        rs->setValue(u"Prijs", QString::fromLatin1(written));
        rs->Update();
        EXPECT_DOUBLE_EQ(rs->value(u"Prijs").toDouble(), read) << written;
    }
    EXPECT_EQ(rs->value(u"Actief"), QVariant(true));

    rs->Edit();
    rs->setValue(u"Omschrijving", QStringLiteral("vergeten"));
    rs->CancelUpdate();
    rs->MoveFirst();
    EXPECT_EQ(rs->text(u"Omschrijving"), QStringLiteral("nieuw"));

    auto raw = db->OpenQuery(QStringLiteral("SELECT Actief FROM Artikelen"));
    EXPECT_EQ(raw->value(u"Actief"), QVariant(true));
    EXPECT_EQ(db->OpenQuery(QStringLiteral("SELECT Actief + 0 AS n FROM Artikelen"))->value(u"n").toInt(), -1);
}

TEST_F(EngineTest, BadWritesRaiseTheirErrorAndChangeNothing)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("een"));
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    EXPECT_EQ(errorOf([&] { rs->setValue(u"Omschrijving", QStringLiteral("x")); }), kv::db::ErrUpdateWithoutEdit);
    EXPECT_EQ(errorOf([&] { rs->Update(); }), kv::db::ErrUpdateWithoutEdit);
    rs->Edit();
    EXPECT_EQ(errorOf([&] { rs->setValue(u"ArtNr", QString(11, u'x')); }), kv::db::ErrFieldTooSmall);
    EXPECT_EQ(errorOf([&] { rs->setValue(u"Groep", QStringLiteral("abc")); }), kv::db::ErrDataTypeConversion);
    EXPECT_EQ(errorOf([&] { rs->setValue(u"Groep", 40000); }), kv::db::ErrNumericOverflow);
    EXPECT_EQ(errorOf([&] { rs->setValue(u"Bestaatniet", 1); }), kv::db::ErrItemNotFound);
    rs->CancelUpdate();

    rs->AddNew();
    rs->setValue(u"ArtNr", QStringLiteral("a1")); // the key compares without case: a duplicate
    rs->setValue(u"Omschrijving", QStringLiteral("twee"));
    EXPECT_EQ(errorOf([&] { rs->Update(); }), kv::db::ErrDuplicateKey);
    rs->CancelUpdate();
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_FALSE(db->inTransaction());
}

TEST_F(EngineTest, CountersNumberNewRecordsAndLastModifiedFindsThem)
{
    auto rs = db->OpenTable(QStringLiteral("Regels"));
    for (int i = 1; i <= 3; ++i) {
        rs->AddNew();
        rs->setValue(u"OrderNr", QStringLiteral("1001"));
        rs->setValue(u"Regel", i);
        rs->Update();
    }
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(rs->value(u"ID").toInt(), 3);
    EXPECT_EQ(rs->value(u"Regel").toInt(), 3);
    rs->setIndex(QStringLiteral("OrderNr"));
    rs->Seek(u"=", {QStringLiteral("1001"), 2});
    EXPECT_EQ(rs->value(u"ID").toInt(), 2);
    rs->Seek(u"=", QStringLiteral("1001")); // a leading part of the key finds the first line
    EXPECT_EQ(rs->value(u"Regel").toInt(), 1);

    // The highest number, once deleted, is not given out again (also not by a later session).
    rs->setIndex(QStringLiteral("PrimaryKey"));
    rs->Seek(u"=", 3);
    rs->Delete();
    rs.reset();
    db.reset();
    db = kv::db::Database::open(path, QStringLiteral("geheim"));
    rs = db->OpenTable(QStringLiteral("Regels"));
    rs->AddNew();
    rs->setValue(u"OrderNr", QStringLiteral("1002"));
    rs->Update();
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(rs->value(u"ID").toInt(), 4);

    // Nor is a number the caller chose, once its record is gone.
    rs->AddNew();
    rs->setValue(u"ID", 20);
    rs->setValue(u"OrderNr", QStringLiteral("1003"));
    rs->Update();
    rs->setBookmark(rs->LastModified());
    rs->Delete();
    rs->AddNew();
    rs->setValue(u"OrderNr", QStringLiteral("1004"));
    rs->Update();
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(rs->value(u"ID").toInt(), 21);

    // A mark kept under the name of earlier versions counts too.
    db->exec(QStringLiteral("INSERT INTO kv_meta VALUES ('counter:regels', 40)"));
    rs->AddNew();
    rs->setValue(u"OrderNr", QStringLiteral("1005"));
    rs->Update();
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(rs->value(u"ID").toInt(), 41);
    rs.reset();

    // An INSERT that leaves the counter out gets the next numbers, as Jet gives them.
    db->Execute(QStringLiteral("INSERT INTO Regels (OrderNr, Regel) VALUES (\"2001\", 1)"));
    db->Execute(QStringLiteral("INSERT INTO [Regels] (OrderNr, Regel) SELECT OrderNr, Regel + 1 FROM Regels WHERE OrderNr = \"2001\""));
    auto inserted = db->OpenQuery(QStringLiteral("SELECT ID, Regel FROM Regels WHERE OrderNr = \"2001\" ORDER BY Regel"));
    EXPECT_EQ(inserted->value(u"ID").toInt(), 42);
    inserted->MoveNext();
    EXPECT_EQ(inserted->value(u"ID").toInt(), 43);
}

TEST_F(EngineTest, TransactionsLandWholeOrNotAtAll)
{
    db->BeginTrans();
    addArticle(QStringLiteral("A"), QStringLiteral("a"));
    db->BeginTrans();
    addArticle(QStringLiteral("B"), QStringLiteral("b"));
    db->Rollback(); // the inner part only
    db->CommitTrans();
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    EXPECT_EQ(walk(*rs, u"ArtNr"), QStringList({"A"}));

    EXPECT_THROW(db->write([&] {
        addArticle(QStringLiteral("C"), QStringLiteral("c"));
        addArticle(QStringLiteral("A"), QStringLiteral("dubbel"));
    }),
                 kv::db::DbError);
    EXPECT_EQ(walk(*rs, u"ArtNr"), QStringList({"A"}));
}

TEST_F(EngineTest, OpeningChecksFileAndPassword)
{
    db.reset();
    EXPECT_EQ(errorOf([&] { kv::db::Database::open(path, QStringLiteral("fout")); }), kv::db::ErrInvalidPassword);
    EXPECT_EQ(errorOf([&] { kv::db::Database::open(path, QString()); }), kv::db::ErrInvalidPassword);
    EXPECT_EQ(errorOf([&] { kv::db::Database::open(path + QStringLiteral("x"), QString()); }),
              kv::db::ErrFileNotFound);
    EXPECT_NE(kv::db::Database::open(path, QStringLiteral("geheim")), nullptr);
}

TEST_F(EngineTest, QueriesWalkEditAndJoin)
{
    db->write([&] {
        for (int i = 0; i < 200; ++i)
            addArticle(QStringLiteral("A%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("x"), i % 4);
    });
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Artikelen WHERE Groep = 1 ORDER BY ArtNr DESC"));
    EXPECT_EQ(rs->RecordCount(), 50);
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("A197"));
    for (; !rs->Eof(); rs->MoveNext()) { // a query's records can be edited and deleted
        if (rs->value(u"ArtNr").toString().endsWith(u'1')) {
            rs->Delete();
        } else {
            rs->Edit();
            rs->setValue(u"Omschrijving", QStringLiteral("groep een"));
            rs->Update();
        }
    }
    EXPECT_EQ(rs->RecordCount(), 40);
    EXPECT_EQ(db->Execute(QStringLiteral("UPDATE Artikelen SET Omschrijving = \"x\" WHERE Omschrijving = \"GROEP EEN\"")), 40);

    auto regels = db->OpenTable(QStringLiteral("Regels"));
    regels->AddNew();
    regels->setValue(u"OrderNr", QStringLiteral("A000"));
    regels->Update();
    auto join = db->OpenRecordset(QStringLiteral(
        "SELECT * FROM Regels LEFT JOIN Artikelen ON Regels.OrderNr = Artikelen.ArtNr ORDER BY Regels.ID"));
    EXPECT_FALSE(join->Updatable());
    EXPECT_EQ(join->text(u"Artikelen.ArtNr"), QStringLiteral("A000"));
    EXPECT_EQ(errorOf([&] { join->Edit(); }), kv::db::ErrReadOnly);
}

// A deletion must not make a walk take buffered rows for fresh when another record set of the
// same database wrote in between.
TEST_F(EngineTest, AWalkThatDeletesSeesWhatOthersWroteMeanwhile)
{
    for (const char *nr : {"A", "C", "E", "G"})
        addArticle(QString::fromLatin1(nr), QStringLiteral("x"));
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    rs->MoveFirst();
    addArticle(QStringLiteral("B"), QStringLiteral("x"));
    db->Execute(QStringLiteral("DELETE FROM Artikelen WHERE ArtNr = 'E'"));
    rs->Delete();
    QStringList rest;
    for (rs->MoveNext(); !rs->Eof(); rs->MoveNext())
        rest << rs->text(u"ArtNr");
    EXPECT_EQ(rest, QStringList({"B", "C", "G"}));
}

// A walk over many records with one key seeks past those it has had; scanning them again on
// every batch costs work that grows with the square of the run.
TEST_F(EngineTest, AWalkOverEqualKeysDoesNotScanThemAgain)
{
    constexpr int rows = 20000;
    db->write([&] {
        for (int i = 0; i < rows; ++i)
            addArticle(QString::number(i), QString(), 7);
    });
    qint64 steps = 0;
    sqlite3_trace_v2(db->handle(), SQLITE_TRACE_PROFILE, [](unsigned, void *total, void *stmt, void *) {
        *static_cast<qint64 *>(total) += sqlite3_stmt_status(static_cast<sqlite3_stmt *>(stmt), SQLITE_STMTSTATUS_VM_STEP, 1);
        return 0;
    }, &steps);
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("Groep"));
    int walked = 0;
    for (rs->Seek(u"=", 7); !rs->Eof(); rs->MoveNext())
        ++walked;
    sqlite3_trace_v2(db->handle(), 0, nullptr, nullptr);
    EXPECT_EQ(walked, rows);
    EXPECT_LT(steps / rows, 100) << steps;
}

// A long walk's batch, and the row of a Seek on a record set that has read fields before, keep
// the keys of their last row only. The walk must still find the right next record when records
// go behind its back: deleted by another program (the batch stays as read) or through this one
// (the batch is stale), at the end of a batch or in the middle, walking on or turning back.
TEST_F(EngineTest, AWalkThatReadsNoKeysKeepsItsPlaceWhenRecordsGo)
{
    constexpr int rows = 3000;
    QStringList all;
    db->write([&] {
        for (int i = 0; i < rows; ++i) {
            all << QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
            addArticle(all.back(), QString(), i / 100); // runs of 100 equal keys
        }
    });
    auto other = kv::db::Database::open(path, QStringLiteral("geheim"));
    auto drop = [&](kv::db::Database &through, const QString &from, const QString &to) {
        through.Execute(QStringLiteral("DELETE FROM Artikelen WHERE ArtNr BETWEEN '%1' AND '%2'").arg(from, to));
    };
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("Groep")); // only ArtNr is read, never the key
    // Batches from MoveFirst hold 64, 128, 256, 512 and 1024 rows: 1983 ends one, 1500 lies inside.
    auto goTo = [&](int position) {
        rs->MoveFirst();
        for (int i = 0; i < position; ++i)
            rs->MoveNext();
        return rs->text(u"ArtNr");
    };

    rs->Seek(u"=", 20); // no place known: the count is made from the record's key
    for (int i = 0; i < 150; ++i)
        rs->MoveNext();
    EXPECT_DOUBLE_EQ(rs->PercentPosition(), 100.0 * 2150 / rows);

    struct Case {
        int position, firstGone; // the records from firstGone up to position go
        bool back, throughOther;
    };
    for (const Case c : {Case{1983, 1983, false, true}, Case{1983, 1983, true, true}, Case{1500, 1500, true, true},
                         Case{1500, 1500, false, false}, Case{1983, 1983, false, false}, Case{1983, 1983, true, false},
                         Case{1000, 960, false, false}}) {
        const QStringList left = walk(*rs, u"ArtNr");
        const QString here = goTo(c.position);
        drop(c.throughOther ? *other : *db, left[c.firstGone], here);
        c.back ? rs->MovePrevious() : rs->MoveNext();
        EXPECT_EQ(rs->text(u"ArtNr"), left[c.back ? c.firstGone - 1 : c.position + 1])
            << c.position << (c.back ? " back" : " on") << (c.throughOther ? " after another program" : "");
    }

    // A Seek's one row: walking on after the found record went.
    rs->Seek(u"=", 5);
    const QString found = rs->text(u"ArtNr");
    drop(*other, found, found);
    rs->MoveNext();
    EXPECT_EQ(rs->text(u"ArtNr").toInt(), found.toInt() + 1);

    // A walk that deletes every seventh record it stands on through this program meets every
    // record once.
    const QStringList left = walk(*rs, u"ArtNr");
    QStringList seen;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        seen << rs->text(u"ArtNr");
        if (seen.size() % 7 == 3)
            drop(*db, seen.back(), seen.back());
    }
    EXPECT_EQ(seen, left);

    // A record this program moves elsewhere in the index: the walk goes on from its new place,
    // as after an Update through the record set itself.
    const QString moved = goTo(1500);
    db->Execute(QStringLiteral("UPDATE Artikelen SET Groep = 0 WHERE ArtNr = '%1'").arg(moved));
    rs->MoveNext();
    const QString next = rs->text(u"ArtNr");
    const QStringList now = walk(*rs, u"ArtNr");
    EXPECT_LT(now.indexOf(moved), 100);
    EXPECT_EQ(now.indexOf(next), now.indexOf(moved) + 1);
}

// After a deleted last record its row id can be given out again; the new record is the one
// an update comes back to.
TEST_F(EngineTest, AQueryComesBackToTheUpdatedRecordNotADeletedOneOfTheSameId)
{
    addArticle(QStringLiteral("A"), QStringLiteral("a"));
    addArticle(QStringLiteral("B"), QStringLiteral("b"));
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Artikelen ORDER BY ArtNr"));
    rs->MoveLast();
    const qint64 deleted = rs->Bookmark();
    rs->Delete();
    rs->AddNew();
    rs->setValue(u"ArtNr", QStringLiteral("C"));
    rs->Update();
    rs->MoveLast();
    ASSERT_EQ(rs->Bookmark(), deleted);
    rs->Edit();
    rs->setValue(u"Omschrijving", QStringLiteral("c"));
    rs->Update();
    EXPECT_EQ(rs->text(u"ArtNr"), QStringLiteral("C"));
}

// SQLite ends a transaction itself after some failures; the engine must not go on counting it,
// and a failing rollback must not hide the error that made the work fail.
TEST_F(EngineTest, TransactionDepthFollowsSQLite)
{
    for (const char *end : {"ROLLBACK", "COMMIT"}) {
        db->BeginTrans();
        addArticle(QStringLiteral("A"), QStringLiteral("a"));
        sqlite3_exec(db->handle(), end, nullptr, nullptr, nullptr); // as SQLite does on SQLITE_FULL or IOERR
        EXPECT_FALSE(db->inTransaction()) << end;
        EXPECT_NO_THROW(db->Rollback()) << end;
        db->BeginTrans();
        sqlite3_exec(db->handle(), end, nullptr, nullptr, nullptr);
        EXPECT_THROW(db->CommitTrans(), kv::db::DbError) << end; // not a unit that landed whole
        db->BeginTrans();
        EXPECT_TRUE(db->inTransaction()) << end;
        db->Rollback();
        db->Execute(QStringLiteral("DELETE FROM Artikelen"));
    }

    db->BeginTrans();
    try {
        db->write([&] {
            db->exec(QStringLiteral("RELEASE kv1")); // so that the rollback fails
            throw std::runtime_error("het werk");
        });
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "het werk");
    }
    db->Rollback();
    EXPECT_FALSE(db->inTransaction());
}

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

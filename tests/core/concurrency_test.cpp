#include "enginefixture.h"

#include <QProcess>

// Two programs on one database: the second one is a real process (engine_peer).
class ConcurrencyTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        addArticle(QStringLiteral("A1"), QStringLiteral("start"), 0);
    }

    QProcess *startPeer(const QStringList &args)
    {
        auto *peer = new QProcess;
        peers.emplace_back(peer);
        peer->start(QStringLiteral(ENGINE_PEER), QStringList{args[0], path, QStringLiteral("geheim")} + args.mid(1));
        EXPECT_TRUE(peer->waitForStarted());
        return peer;
    }

    static QString finish(QProcess *peer)
    {
        EXPECT_TRUE(peer->waitForFinished(60000));
        return QString::fromUtf8(peer->readAllStandardOutput()).trimmed();
    }

    int groep()
    {
        auto rs = db->OpenTable(QStringLiteral("Artikelen"));
        return rs->value(u"Groep").toInt();
    }

    std::vector<std::unique_ptr<QProcess>> peers;
};

TEST_F(ConcurrencyTest, PessimisticEditLocksTheRecordUntilUpdate)
{
    QProcess *peer = startPeer({QStringLiteral("hold"), QStringLiteral("A1")});
    ASSERT_TRUE(peer->waitForReadyRead(10000));
    ASSERT_EQ(peer->readLine().trimmed(), "editing");

    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    EXPECT_EQ(errorOf([&] { rs->Edit(); }), kv::db::ErrLocked);
    EXPECT_EQ(errorOf([&] { rs->Delete(); }), kv::db::ErrLocked);

    peer->write("go\n");
    EXPECT_EQ(finish(peer), QStringLiteral("done"));
    rs->Edit(); // free again, and the edit starts from what the peer wrote
    EXPECT_EQ(rs->text(u"Omschrijving"), QStringLiteral("peer"));
    rs->CancelUpdate();
}

TEST_F(ConcurrencyTest, OptimisticUpdateRefusesARecordChangedSinceEdit)
{
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->setLockEdits(false);
    rs->Edit();
    rs->setValue(u"Omschrijving", QStringLiteral("mijn wijziging"));
    EXPECT_EQ(finish(startPeer({QStringLiteral("increment"), QStringLiteral("A1"), QStringLiteral("1"),
                                QStringLiteral("0")})),
              QStringLiteral("done"));
    EXPECT_EQ(errorOf([&] { rs->Update(); }), kv::db::ErrChangedByOtherUser);
    rs->CancelUpdate();
    rs->MoveFirst();
    EXPECT_EQ(rs->text(u"Omschrijving"), QStringLiteral("start"));
    EXPECT_EQ(rs->value(u"Groep").toInt(), 1);
}

// Both programs add one to the same field many times; every addition must survive.
TEST_F(ConcurrencyTest, NoUpdateIsLostInEitherLockingMode)
{
    constexpr int times = 150;
    int expected = 0;
    for (bool lockEdits : {true, false}) {
        QProcess *peer = startPeer({QStringLiteral("increment"), QStringLiteral("A1"), QString::number(times),
                                    lockEdits ? QStringLiteral("1") : QStringLiteral("0")});
        auto rs = db->OpenTable(QStringLiteral("Artikelen"));
        rs->setLockEdits(lockEdits);
        for (int i = 0; i < times; ++i) {
            for (;;) {
                try {
                    rs->MoveFirst();
                    rs->Edit();
                    rs->setValue(u"Groep", rs->value(u"Groep").toInt() + 1);
                    rs->Update();
                    break;
                } catch (const kv::db::DbError &e) {
                    rs->CancelUpdate();
                    ASSERT_TRUE(e.number() == kv::db::ErrLocked || e.number() == kv::db::ErrChangedByOtherUser)
                        << e.what();
                }
            }
        }
        EXPECT_EQ(finish(peer), QStringLiteral("done"));
        expected += 2 * times;
        EXPECT_EQ(groep(), expected) << (lockEdits ? "pessimistic" : "optimistic");
    }
}

TEST_F(ConcurrencyTest, AKilledProgramLeavesNothingHalfWritten)
{
    EXPECT_EQ(finish(startPeer({QStringLiteral("die-in-transaction"), QStringLiteral("500")})), QString());
    EXPECT_EQ(db->OpenTable(QStringLiteral("Regels"))->RecordCount(), 0);

    // One transaction per order: the orders before the kill are whole, the one it hit is absent.
    EXPECT_EQ(finish(startPeer({QStringLiteral("die-between-units"), QStringLiteral("40")})), QString());
    auto lines = db->OpenRecordset(QStringLiteral("SELECT OrderNr, Count(*) AS n FROM Regels GROUP BY OrderNr"));
    int orders = 0;
    for (; !lines->Eof(); lines->MoveNext(), ++orders)
        EXPECT_EQ(lines->value(u"n").toInt(), 3) << lines->text(u"OrderNr").toStdString();
    EXPECT_EQ(orders, 40);
    auto check = db->OpenRecordset(QStringLiteral("PRAGMA integrity_check"));
    EXPECT_EQ(check->value(0).toString(), QStringLiteral("ok"));

    // A record the dead program had locked is free again.
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    rs->Edit();
    rs->CancelUpdate();
}

// Two record sets of one program share the connection, and so its lock file: which of them
// holds a record is the engine's to know.
TEST_F(ConcurrencyTest, RecordSetsOfOneProgramLockEachOtherOut)
{
    for (bool lockEdits : {true, false}) {
        SCOPED_TRACE(lockEdits ? "pessimistic" : "optimistic");
        auto first = db->OpenTable(QStringLiteral("Artikelen"));
        auto second = db->OpenTable(QStringLiteral("Artikelen"));
        first->setLockEdits(lockEdits);
        second->setLockEdits(lockEdits);
        const QString written = lockEdits ? QStringLiteral("eerste") : QStringLiteral("eerste, zonder slot");
        first->Edit();
        first->setValue(u"Omschrijving", written);
        if (lockEdits) {
            EXPECT_EQ(errorOf([&] { second->Edit(); }), kv::db::ErrLockedHere);
            EXPECT_EQ(errorOf([&] { second->Delete(); }), kv::db::ErrLockedHere);
            second->CancelUpdate(); // must not free the first one's lock
            EXPECT_EQ(finish(startPeer({QStringLiteral("try-edit"), QStringLiteral("A1")})), QStringLiteral("error 3260"));
            first->Update();
        } else {
            second->Edit();
            second->setValue(u"Omschrijving", QStringLiteral("tweede"));
            first->Update();
            EXPECT_EQ(errorOf([&] { second->Update(); }), kv::db::ErrChangedByOtherUser);
        }
        EXPECT_EQ(finish(startPeer({QStringLiteral("try-edit"), QStringLiteral("A1")})), QStringLiteral("done"));
        second->MoveFirst();
        second->Edit();
        EXPECT_EQ(second->text(u"Omschrijving"), written);
        second->CancelUpdate();
    }
}

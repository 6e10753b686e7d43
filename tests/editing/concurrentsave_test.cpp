// Two consoles on one administration: the second one is a real process (editing_peer) that
// saves popups and code tables while this one has them open.
#include "core/context.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/members/members.h"
#include "editing/saving/recordchanges.h"
#include "support/administrationfixture.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <set>

using namespace kv;
using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

namespace {

// Both locking modes: records locked at Edit (the default), and "false" in korvenal.lock.
class ConcurrentSaveTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!GetParam()) {
            QFile lock(admin.dataPad() + u"korvenal.lock"_s);
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
            lock.write("false\r\n");
        }
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        ctx.DataPad = admin.dataPad();
        ctx.session = &session;
        ctx.dialogs = &dialogs;
    }

    QProcess *startPeer(QStringList args)
    {
        args.insert(1, admin.dataPad());
        auto *peer = peers.emplace_back(std::make_unique<QProcess>()).get();
        peer->start(QStringLiteral(EDITING_PEER), args);
        EXPECT_TRUE(peer->waitForStarted());
        return peer;
    }
    static QString finish(QProcess *peer)
    {
        EXPECT_TRUE(peer->waitForFinished(120000));
        return QString::fromUtf8(peer->readAllStandardOutput()).trimmed().split(u'\n').last();
    }
    QString peer(const QStringList &args) { return finish(startPeer(args)); }

    // A bunker as the intake program left it; its key.
    QString addBunker()
    {
        db::Recordset &rs = session.table(u"Bunkers"_s);
        rs.AddNew();
        rs.setValue(u"BunkerNaam", u"Bunker 1"_s);
        rs.setValue(u"BunkerStatus", u"leeg"_s);
        rs.Update();
        rs.setBookmark(rs.LastModified());
        return rs.text(u"BunkerID");
    }
    std::unique_ptr<DetailLogic> popup(const QString &screen, const QString &key)
    {
        ctx.EditMode = key.isEmpty() ? u"addnew"_s : u"edit"_s;
        ctx.EditKey = key;
        return std::make_unique<DetailLogic>(ctx, *findMember(screen));
    }
    QString stored(const QString &key, const QString &field)
    {
        db::Recordset &rs = session.table(u"Bunkers"_s);
        rs.setIndex(u"PrimaryKey"_s);
        rs.Seek(u"=", key);
        return rs.NoMatch() ? u"(weg)"_s : rs.text(field);
    }

    test::TempAdministration admin;
    Session session;
    test::ScriptedDialogs dialogs;
    Context ctx;
    std::vector<std::unique_ptr<QProcess>> peers;
};

INSTANTIATE_TEST_SUITE_P(LockingModes, ConcurrentSaveTest, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Pessimistic" : "Optimistic"; });

} // namespace

TEST_P(ConcurrentSaveTest, ChangesToDifferentFieldsOfOneRecordBothSurvive)
{
    const QString key = addBunker();
    auto bunker = popup(u"frmBunkers"_s, key);
    bunker->setText(u"BunkerStatus"_s, u"vol"_s);
    EXPECT_EQ(peer({u"set"_s, u"frmBunkers"_s, key, u"BunkerHuidigePartijNaam"_s, u"Partij 7"_s}), u"done"_s);

    EXPECT_TRUE(bunker->save());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(stored(key, u"BunkerStatus"_s), u"vol"_s);
    EXPECT_EQ(stored(key, u"BunkerHuidigePartijNaam"_s), u"Partij 7"_s);
    EXPECT_EQ(stored(key, u"BunkerNaam"_s), u"Bunker 1"_s);
}

TEST_P(ConcurrentSaveTest, TheSameFieldChangedMeanwhileIsOnlyOverwrittenAfterYes)
{
    const QString key = addBunker();
    const QString question = u"Dit record is intussen door een andere gebruiker gewijzigd:\n"
                             u"Status: nu in gebruik, uw invoer vol\n\nWilt u uw invoer toch opslaan?"_s;
    auto bunker = popup(u"frmBunkers"_s, key);
    bunker->setText(u"BunkerStatus"_s, u"vol"_s);
    EXPECT_EQ(peer({u"set"_s, u"frmBunkers"_s, key, u"BunkerStatus"_s, u"in gebruik"_s}), u"done"_s);

    // No: their value is shown and stays; a second OK has nothing left to write.
    dialogs.script({mb::No});
    EXPECT_FALSE(bunker->save());
    EXPECT_EQ(dialogs.prompts(), QStringList{question});
    EXPECT_EQ(bunker->text(u"BunkerStatus"_s), u"in gebruik"_s);
    EXPECT_EQ(stored(key, u"BunkerStatus"_s), u"in gebruik"_s);
    EXPECT_TRUE(bunker->save());
    EXPECT_EQ(dialogs.shown.size(), 1u);

    // Yes: the user's input is written over theirs.
    bunker = popup(u"frmBunkers"_s, key);
    bunker->setText(u"BunkerStatus"_s, u"vol"_s);
    EXPECT_EQ(peer({u"set"_s, u"frmBunkers"_s, key, u"BunkerStatus"_s, u"leeg"_s}), u"done"_s);
    dialogs.script({mb::Yes});
    EXPECT_TRUE(bunker->save());
    EXPECT_EQ(dialogs.prompts().last(), QString(question).replace(u"in gebruik"_s, u"leeg"_s));
    EXPECT_EQ(stored(key, u"BunkerStatus"_s), u"vol"_s);
}

TEST_P(ConcurrentSaveTest, ARecordDeletedMeanwhileKeepsTheInputAndCanBeAddedAgain)
{
    const QString key = addBunker();
    auto bunker = popup(u"frmBunkers"_s, key);
    bunker->setText(u"BunkerStatus"_s, u"vol"_s);
    EXPECT_EQ(peer({u"delete"_s, u"Bunkers"_s, key}), u"done"_s);

    EXPECT_FALSE(bunker->save());
    EXPECT_EQ(dialogs.prompts(), QStringList{IntussenVerwijderd.toString()});
    EXPECT_EQ(bunker->text(u"BunkerStatus"_s), u"vol"_s);
    EXPECT_EQ(stored(key, u"BunkerNaam"_s), u"(weg)"_s);

    dialogs.script({mb::No, mb::Yes});
    EXPECT_FALSE(bunker->save());
    EXPECT_EQ(session.table(u"Bunkers"_s).RecordCount(), 0);
    EXPECT_TRUE(bunker->save());
    EXPECT_EQ(dialogs.prompts().mid(1), (QStringList{OpnieuwToevoegen.toString(), OpnieuwToevoegen.toString()}));
    EXPECT_EQ(stored(bunker->editKey(), u"BunkerNaam"_s), u"Bunker 1"_s);
    EXPECT_EQ(stored(bunker->editKey(), u"BunkerStatus"_s), u"vol"_s);
}

// Both consoles add employees at once, each through the popup with the number it proposes.
// No number is given twice, nor the number of an employee deleted earlier.
TEST_P(ConcurrentSaveTest, NumbersAreNeverGivenOutTwice)
{
    constexpr int each = 100;
    auto first = popup(u"frmMedewerkers"_s, {});
    first->setText(u"PersoneelsNr"_s, u"500"_s);
    ASSERT_TRUE(first->save());
    db::Recordset &rs = session.table(u"Medewerkers"_s);
    rs.MoveFirst();
    rs.Delete();

    // A proposal the other console takes meanwhile is replaced at OK.
    auto waiting = popup(u"frmMedewerkers"_s, {});
    EXPECT_EQ(waiting->text(u"PersoneelsNr"_s), u"501"_s);
    EXPECT_EQ(peer({u"add"_s, u"frmMedewerkers"_s, u"1"_s, u"VoorNamen"_s, u"Eerder "_s}), u"done"_s);
    ASSERT_TRUE(waiting->save());
    EXPECT_EQ(waiting->text(u"PersoneelsNr"_s), u"502"_s);

    QProcess *other = startPeer({u"add"_s, u"frmMedewerkers"_s, QString::number(each), u"VoorNamen"_s, u"Peer "_s});
    for (int i = 0; i < each; ++i) {
        auto employee = popup(u"frmMedewerkers"_s, {});
        employee->setText(u"VoorNamen"_s, u"Hier "_s + QString::number(i));
        ASSERT_TRUE(employee->save()) << dialogs.errors.join(u'\n').toStdString();
    }
    EXPECT_EQ(finish(other), u"done"_s);

    std::set<int> numbers;
    rs.setIndex(u"PrimaryKey"_s);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        numbers.insert(rs.value(u"PersoneelsNr").toInt());
    EXPECT_EQ(numbers.size(), size_t(2 * each + 2));
    EXPECT_GT(*numbers.begin(), 500);
}

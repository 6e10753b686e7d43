// The deleting jobs: what each keeps, what goes with a unit, the questions, and a relation's
// invoice history in the other file.
#include "core/db/database.h"
#include "core/db/statement.h"
#include "maintenance/deletion.h"
#include "maintenance/deletionscreen.h"
#include "support/demofixture.h"
#include "support/memorydir.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>

using namespace kv;
using namespace kv::maintenance;
using namespace Qt::Literals::StringLiterals;

namespace {

class DeletionTest : public DemoTest {
protected:
    QString value(db::Database &db, const QString &sql)
    {
        db::Statement st = db.prepareOnce(sql);
        return st.step() ? st.column(0).toString() : QString();
    }
    QString main(const QString &sql) { return value(session.DBAdmin(), sql); }
    Deletion::Outcome perform(DeletionRequest request, bool trial = false)
    {
        Deletion deletion(ctx, request);
        const Deletion::Outcome outcome = deletion.perform(nullptr, trial);
        m_last = deletion.counts();
        return outcome;
    }
    DeletionCounts m_last;
};

// A marked relation goes with what hangs on it, unless one of the four reasons keeps it; its
// invoice history in the archive goes too, and no marker is left.
TEST_F(DeletionTest, MarkedRelationsGoUnlessSomethingKeepsThem)
{
    struct Case {
        QString relNr, setUp, kept;
    };
    const Case cases[] = {
        {u"T1"_s, {}, {}},
        {u"T2"_s, u"UPDATE RelatieGegevens SET Saldo = 12.5 WHERE RelNr = 'T2'"_s, u"saldo is niet 0"_s},
        {u"T3"_s, u"INSERT INTO Ordergegevens (OrderNr, RegelNr, RelNr, RecordCode) VALUES ('X3', 1, 'T3', 1)"_s, u"open orderregel"_s},
        {u"T4"_s, u"INSERT INTO FaktuurMutaties (RelNr, FactuurNr, Doorgeboekt) VALUES ('T4', 'F4', 0)"_s,
         u"factuurmutatie niet doorgeboekt"_s},
        {u"T5"_s, u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, Boekjaar) VALUES ('T5', 'F5', '2026')"_s,
         u"factuur in het lopende jaar"_s},
        {u"T6"_s, u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, Boekjaar) VALUES ('T6', 'TEGOED', '2026')"_s, {}},
        {u"T7"_s, u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, Boekjaar) VALUES ('T7', 'F7', '2025')"_s, {}},
    };
    session.DBAdmin().exec(u"UPDATE RelatieGegevens SET RecordCode = 1 WHERE RecordCode = 9"_s); // the demo's own stay out of it
    for (const Case &c : cases) {
        session.DBAdmin().exec(u"INSERT INTO RelatieGegevens (RelNr, RecordCode, Saldo) VALUES ('"_s + c.relNr + u"', 9, 0)"_s);
        if (!c.setUp.isEmpty())
            session.DBAdmin().exec(c.setUp);
    }
    session.DBAdmin().exec(u"INSERT INTO Abonnement (Guid, RelNr) VALUES ('{g1}', 'T1')"_s);
    session.DBAdmin().exec(u"INSERT INTO AbonnementIncasso (Guid) VALUES ('{g1}')"_s);
    session.DBArchief().exec(u"INSERT INTO FaktuurHistorie (RelNr, FactuurNr) VALUES ('T1', 'H1'), ('T2', 'H2')"_s);

    perform({DeletionRequest::Job::Relaties}, true);
    std::map<QString, QString> kept;
    for (const auto &[relNr, reason] : m_last.blijven)
        kept[relNr] = reason;
    perform({DeletionRequest::Job::Relaties});
    for (const Case &c : cases) {
        EXPECT_EQ(kept.count(c.relNr) ? kept[c.relNr] : QString(), c.kept) << c.relNr.toStdString();
        EXPECT_EQ(main(u"SELECT COUNT(*) FROM RelatieGegevens WHERE RelNr = '"_s + c.relNr + u"'"_s), c.kept.isEmpty() ? u"0"_s : u"1"_s);
    }
    EXPECT_EQ(m_last.units, 3);
    EXPECT_EQ(main(u"SELECT COUNT(*) FROM AbonnementIncasso WHERE Guid = '{g1}'"_s), u"0"_s);
    EXPECT_EQ(value(session.DBArchief(), u"SELECT group_concat(RelNr) FROM FaktuurHistorie WHERE RelNr LIKE 'T%'"_s), u"T2"_s);
    EXPECT_EQ(main(u"SELECT COUNT(*) FROM OnderhoudLopend"_s), u"0"_s);

    // A run stopped after the working rows left and before the history: the next run finishes it.
    session.DBAdmin().exec(u"INSERT INTO OnderhoudLopend (Taak, Sleutel) VALUES ('relatie', 'T2')"_s);
    perform({DeletionRequest::Job::Relaties});
    EXPECT_EQ(value(session.DBArchief(), u"SELECT COUNT(*) FROM FaktuurHistorie WHERE RelNr = 'T2'"_s), u"0"_s);
    EXPECT_EQ(main(u"SELECT COUNT(*) FROM OnderhoudLopend"_s), u"0"_s);
}

// A settled invoice (100 with 60 paid and 40 written off) before the date goes with its
// payments; an open one, one on the date, a credit balance and, with the switch, another
// relation's stay.
TEST_F(DeletionTest, SettledInvoicesBeforeTheDateGoWithTheirPayments)
{
    session.DBAdmin().exec(u"DELETE FROM OpenstaandePosten"_s);
    session.DBAdmin().exec(u"DELETE FROM Betalingen"_s);
    session.DBAdmin().exec(
        u"INSERT INTO OpenstaandePosten (RelNr, FactuurNr, FactuurDatum, FactuurBedrag, BedragBetaald, AfboekingsBedrag) VALUES "
        u"('100', 'A', '20150105', 100, 60, 40), ('100', 'B', '20150105', 100, 60, 0), ('100', 'C', '20150201', 50, 50, 0), "
        u"('100', 'TEGOED', '20150105', 0, 0, 0), ('9', 'D', '20150105', 80, 80, 0)"_s);
    session.DBAdmin().exec(u"INSERT INTO Betalingen (RelNr, FactuurNr, Bedrag) VALUES ('100', 'A', 60), ('100', 'B', 60), "
                           u"('9', 'D', 80)"_s);
    perform({DeletionRequest::Job::Facturen, u"20150201"_s, true});
    EXPECT_EQ(main(u"SELECT group_concat(FactuurNr) FROM (SELECT FactuurNr FROM OpenstaandePosten ORDER BY 1)"_s), u"A,B,C,TEGOED"_s);
    perform({DeletionRequest::Job::Facturen, u"20150201"_s, false});
    EXPECT_EQ(main(u"SELECT group_concat(FactuurNr) FROM (SELECT FactuurNr FROM OpenstaandePosten ORDER BY 1)"_s), u"B,C,TEGOED"_s);
    EXPECT_EQ(main(u"SELECT group_concat(FactuurNr) FROM (SELECT FactuurNr FROM Betalingen ORDER BY 1)"_s), u"B"_s);
    EXPECT_EQ(m_last.units, 1);
}

// The year screens: four digits, not after this year; a recent year is warned about; a No
// writes nothing; a year's rows go and no other year's.
TEST_F(DeletionTest, AYearScreenAsksAndDeletesOnlyThatYear)
{
    const DeletionLook &trips = *std::find_if(deletionLooks().begin(), deletionLooks().end(),
                                              [](const DeletionLook &look) { return look.job == DeletionRequest::Job::Jaar && look.year->table == u"Ritgegevens"; });
    session.DBAdmin().exec(u"INSERT INTO Ritgegevens (RitNr, Einddatum) VALUES (9001, '20180630'), (9002, '20181231'), "
                           u"(9003, '20190101')"_s);
    DeletionScreen screen(ctx, trips);
    auto *year = screen.findChild<QLineEdit *>(u"txtDatum"_s);
    for (const QString &bad : {u"18"_s, u""_s, u"20x8"_s}) {
        year->setText(bad);
        screen.cmdDelete_Click();
        EXPECT_EQ(dialogs.prompts().last(), u"U heeft nog geen jaartal ingegeven."_s) << bad.toStdString();
    }
    year->setText(u"2027"_s);
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts().last(), u"Deze datum ligt in de toekomst.\nWijzig de datum."_s);

    year->setText(u"2025"_s);
    dialogs.script({mb::No});
    const QString before = main(u"SELECT COUNT(*) FROM Ritgegevens"_s);
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts().last(),
              u"Let op:\nHet geselecteerde jaar ligt niet ver in het verleden.\nWeet u zeker dat u deze ritten wilt verwijderen?"_s);
    EXPECT_EQ(main(u"SELECT COUNT(*) FROM Ritgegevens"_s), before);

    year->setText(u"2018"_s); // long enough ago: no warning, nor the law's seven years
    dialogs.script({mb::Yes});
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts().mid(dialogs.prompts().size() - 2),
              (QStringList{u"Weet u zeker dat u deze ritten wilt verwijderen?"_s, u"Er zijn 2 regel(s) verwijderd."_s}));
    EXPECT_EQ(main(u"SELECT group_concat(RitNr) FROM Ritgegevens WHERE RitNr > 9000"_s), u"9003"_s);

    // Within the seven years the law keeps records, a further question.
    year->setText(u"2019"_s);
    dialogs.script({mb::Yes, mb::No});
    screen.cmdDelete_Click();
    EXPECT_TRUE(dialogs.prompts().last().startsWith(u"Let op:\nHiermee worden "_s)) << dialogs.prompts().last().toStdString();
    EXPECT_EQ(main(u"SELECT COUNT(*) FROM Ritgegevens WHERE RitNr = 9003"_s), u"1"_s);
}

// All invoice information goes only with both declarations on, then in both files.
TEST_F(DeletionTest, AllInvoicesNeedBothDeclarations)
{
    const DeletionLook &all = *std::find_if(deletionLooks().begin(), deletionLooks().end(),
                                            [](const DeletionLook &look) { return look.job == DeletionRequest::Job::AlleFacturen; });
    DeletionScreen screen(ctx, all);
    const QString before = main(u"SELECT COUNT(*) FROM OpenstaandePosten"_s);
    screen.cmdDelete_Click();
    EXPECT_TRUE(dialogs.prompts().isEmpty());
    EXPECT_EQ(main(u"SELECT COUNT(*) FROM OpenstaandePosten"_s), before);
    perform({DeletionRequest::Job::AlleFacturen});
    EXPECT_EQ(main(u"SELECT COUNT(*) + (SELECT COUNT(*) FROM Betalingen) + (SELECT COUNT(*) FROM FaktuurMutaties) "
                   u"FROM OpenstaandePosten"_s),
              u"0"_s);
    EXPECT_EQ(value(session.DBArchief(), u"SELECT COUNT(*) FROM FaktuurHistorie"_s), u"0"_s);
}

// A console killed after each commit of deleting forty relations four at a time: each relation
// is in the working file with its history, or gone from it with its history gone too or under a
// marker; a run after the kill ends as one whole run.
TEST_F(DeletionTest, AKilledRelationDeletionLeavesEachRelationWholeOrMarked)
{
    session.DBAdmin().exec(u"UPDATE RelatieGegevens SET RecordCode = 1 WHERE RecordCode = 9"_s);
    for (int i = 0; i < 40; ++i) {
        const QString relNr = u"K%1"_s.arg(i, 2, 10, QChar(u'0'));
        session.DBAdmin().exec(u"INSERT INTO RelatieGegevens (RelNr, RecordCode, Saldo) VALUES ('"_s + relNr + u"', 9, 0)"_s);
        session.DBAdmin().exec(u"INSERT INTO RelatieStatistiek (RelNr) VALUES ('"_s + relNr + u"')"_s);
        session.DBArchief().exec(u"INSERT INTO FaktuurHistorie (RelNr, FactuurNr) VALUES ('"_s + relNr + u"', 'H')"_s);
    }
    session.DBAdmin().exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    session.DBArchief().exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    const test::MemoryDir memory;
    const QString start = memory.filePath(u"start/"_s), work = memory.filePath(u"werk/"_s);
    test::copyFolder(ctx.DataPad, start);
    const auto peer = [&](int dieAt) {
        QProcess p;
        p.start(QStringLiteral(MAINTENANCE_PEER), {work, u"-"_s, u"relaties"_s, u"4"_s, QString::number(dieAt)});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    };
    // Per relation: in the working file, its history in the archive, under a marker.
    const auto state = [&] {
        Session after;
        EXPECT_TRUE(after.OpenAdministratie(work));
        QStringList rows;
        for (int i = 0; i < 40; ++i) {
            const QString relNr = u"K%1"_s.arg(i, 2, 10, QChar(u'0'));
            rows << relNr + u' ' + value(after.DBAdmin(), u"SELECT COUNT(*) FROM RelatieGegevens WHERE RelNr = '"_s + relNr + u"'"_s)
                        + value(after.DBArchief(), u"SELECT COUNT(*) FROM FaktuurHistorie WHERE RelNr = '"_s + relNr + u"'"_s)
                        + value(after.DBAdmin(), u"SELECT COUNT(*) FROM OnderhoudLopend WHERE Sleutel = '"_s + relNr + u"'"_s);
        }
        return rows;
    };
    test::copyFolder(start, work);
    const QString whole = peer(0);
    ASSERT_TRUE(whole.startsWith(u"commits "_s)) << whole.toStdString();
    const QStringList reference = state();
    for (int dieAt = 1; dieAt <= whole.mid(8).toInt(); ++dieAt) {
        test::copyFolder(start, work);
        const QString killed = peer(dieAt);
        ASSERT_TRUE(killed.startsWith(u"killed "_s)) << killed.toStdString();
        // Whole ("110"), gone ("000"), or gone from the working file under a marker, its history
        // still there or gone too ("011", "001").
        for (const QString &relation : state())
            ASSERT_TRUE(relation.endsWith(u" 110"_s) || relation.endsWith(u" 000"_s) || relation.endsWith(u" 011"_s)
                        || relation.endsWith(u" 001"_s))
                << relation.toStdString() << " after " << killed.toStdString() << " at commit " << dieAt;
        peer(0);
        ASSERT_EQ(state(), reference) << "after " << killed.toStdString() << " at commit " << dieAt;
    }
}

} // namespace

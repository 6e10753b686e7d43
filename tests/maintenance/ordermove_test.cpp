// Orders moved to the archive: which ones go, what goes with them, and that a run stopped at
// any moment leaves every order whole in one of the two files.
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/statement.h"
#include "maintenance/ordermove.h"
#include "maintenance/ordermovescreen.h"
#include "support/demofixture.h"
#include "support/memorydir.h"
#include "support/toolprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <map>

using namespace kv;
using namespace kv::maintenance;
using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList kWorking = {u"Ordergegevens"_s, u"OrderGegevensBijgekocht"_s, u"OrderGegevensKwaliteit"_s,
                              u"OrderGegevensMeta"_s, u"OrderLogistiek"_s, u"OrderNotitie"_s};

QString single(db::Database &db, const QString &sql, const QVariantList &values = {})
{
    db::Statement st = db.prepareOnce(sql);
    st.bindAll(values);
    return st.step() ? st.column(0).toString() : QString();
}

class OrderMoveTest : public DemoTest {
protected:
    db::Database &main() { return session.DBAdmin(); }
    db::Database &archief() { return session.DBArchief(); }
    struct Line {
        const char *date;
        int state;
        const char *tag = "", *invoice = "";
    };
    void order(const QString &nr, const std::vector<Line> &lines)
    {
        db::Statement insert = main().prepareOnce(
            u"INSERT INTO Ordergegevens (OrderNr, RegelNr, RelNr, OrderDatum, RecordCode, OrderTag, FactuurNr) "
            u"VALUES (?, ?, '1001', ?, ?, ?, ?)"_s);
        int n = 0;
        for (const Line &line : lines) {
            insert.bindAll({nr, ++n, QString::fromLatin1(line.date), line.state, QString::fromLatin1(line.tag),
                            QString::fromLatin1(line.invoice)});
            insert.step();
            insert.reset();
        }
    }
    bool archived(const QString &nr)
    {
        return single(archief(), u"SELECT COUNT(*) FROM OrderGegevensArchief WHERE OrderNr = ?"_s, {nr}).toInt() > 0;
    }
    std::map<QString, QString> stays(const OrderMove &move)
    {
        std::map<QString, QString> reasons;
        for (const auto &[nr, reason] : move.counts().blijven)
            reasons[nr] = reason;
        return reasons;
    }
};

// Only finished orders go unless the switch says otherwise; one line before the limit is
// enough, a line on the limit is not. Trips whose order went go too; notes go with their order.
TEST_F(OrderMoveTest, ArchivingTakesFinishedOrdersWithALineBeforeTheLimit)
{
    struct Case {
        QString nr;
        std::vector<Line> lines;
        QString staysWithoutSwitch; // empty: goes
        bool goesWithSwitch;
    };
    const std::vector<Case> cases = {
        {u"T1"_s, {{"20240105", 9, "UVF", "F1"}, {"20240105", 8}}, {}, true},
        {u"T2"_s, {{"20240105", 9, "UVF", "F1"}, {"20240105", 8}, {"20240105", 1}}, u"regel 3: status 1"_s, true},
        {u"T3"_s, {{"20240105", 9, "uvf", "F1"}}, {}, true},
        {u"T4"_s, {{"20240105", 9, "UVF", " "}}, u"regel 1: status 9 zonder factuurnummer"_s, true},
        {u"T5"_s, {{"20240105", 9, "XYZ", "F1"}}, u"regel 1: status 9 zonder UVF"_s, true},
        {u"T6"_s, {{"20250101", 8}}, u"-"_s, false}, // on the limit: not looked at
        {u"T7"_s, {{"20241231", 8}, {"20250301", 8}}, {}, true},
    };
    for (const Case &c : cases)
        order(c.nr, c.lines);
    main().exec(u"INSERT INTO Ritgegevens (RitNr, OrderNr) VALUES (9001, 'T1'), (9002, ''), (9003, 'T8'), (9004, 'T2')"_s);
    main().exec(u"INSERT INTO TempOrderGegevens (OrderNr, RegelNr) VALUES ('T8', 1)"_s);
    main().exec(u"INSERT INTO OrderNotitie (OrderNr, Relnr, Notitie) VALUES ('T1', '1001', 'mee'), ('X9', '1001', 'weg')"_s);

    OrderMove trial(ctx, {OrderSelection::Job::Archiveren, u"20250101"_s, false});
    trial.perform(nullptr, true);
    std::map<QString, QString> reasons = stays(trial);
    OrderMove run(ctx, {OrderSelection::Job::Archiveren, u"20250101"_s, false});
    run.perform(nullptr);
    for (const Case &c : cases) {
        EXPECT_EQ(reasons.count(c.nr) ? reasons[c.nr] : (c.nr == u"T6" ? u"-"_s : QString()), c.staysWithoutSwitch)
            << c.nr.toStdString();
        EXPECT_EQ(archived(c.nr), c.staysWithoutSwitch.isEmpty()) << c.nr.toStdString();
    }
    EXPECT_EQ(run.counts().naarArchief, trial.counts().naarArchief);
    EXPECT_EQ(run.counts().verwijderd, trial.counts().verwijderd);
    EXPECT_EQ(single(main(), u"SELECT group_concat(RitNr, ' ') FROM (SELECT RitNr FROM Ritgegevens WHERE RitNr > 9000 ORDER BY 1)"_s),
              u"9002 9003 9004"_s);
    EXPECT_EQ(single(archief(), u"SELECT Notitie FROM OrderNotitieArchief WHERE OrderNr = 'T1'"_s), u"mee"_s);
    EXPECT_EQ(single(main(), u"SELECT COUNT(*) FROM OrderNotitie WHERE OrderNr IN ('T1', 'X9')"_s), u"0"_s);

    OrderMove all(ctx, {OrderSelection::Job::Archiveren, u"20250101"_s, true});
    all.perform(nullptr);
    for (const Case &c : cases)
        EXPECT_EQ(archived(c.nr), c.goesWithSwitch) << c.nr.toStdString();
    EXPECT_EQ(single(main(), u"SELECT COUNT(*) FROM Ritgegevens WHERE RitNr = 9004"_s), u"0"_s);
}

// The tool's trial counts what its run then moves, and the run logs what the screen logs.
TEST_F(OrderMoveTest, TheToolsTrialCountsWhatItsRunMoves)
{
    const QString reg = dir.filePath(u"tool.reg"_s);
    for (const QStringList &job : {QStringList{u"archiveren"_s, ctx.DataPad, u"01-01-2026"_s},
                                   QStringList{u"opschonen"_s, ctx.DataPad, u"2025"_s}}) {
        const test::ToolResult trial = test::runTool(reg, job + QStringList{u"--proef"_s});
        const test::ToolResult run = test::runTool(reg, job + QStringList{u"--ja"_s});
        ASSERT_EQ(trial.code, 0) << trial.err.toStdString();
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        const auto counted = [](const QString &out) {
            return out.split(u'\n').filter(QRegularExpression(u"^(naar archief|verwijderd|orders)\t"_s));
        };
        EXPECT_EQ(counted(run.out), counted(trial.out));
        EXPECT_NE(counted(run.out).filter(u"orders\t"_s).value(0), u"orders\t0"_s) << job[0].toStdString();
    }
    QFile log(QDir(ctx.DataPad).entryInfoList({u"kvpro-*.log"_s}).value(0).filePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(u"\r\n"_s).filter(u"SYSTEEM"_s);
    QStringList texts;
    for (const QString &line : lines)
        texts << line.section(u" : "_s, 3);
    EXPECT_EQ(texts, (QStringList{
                         u"SYSTEEM   : Formulier       : Archiveren orders"_s,
                         u"SYSTEEM   : + Actie         : Verwijderen t/m : 01-01-2026"_s,
                         u"SYSTEEM   : + Opmerking     : Gebruiker heeft minimaal 2x op JA geklikt dat men dit zeker weet"_s,
                         u"SYSTEEM   : Formulier       : Archiveren orders"_s,
                         u"SYSTEEM   : + Actie         : Verwijderen t/m : 01-01-2026"_s,
                         u"SYSTEEM   : + Onverwerkt    : Ook verwijderen"_s,
                         u"SYSTEEM   : + Opmerking     : Gebruiker heeft minimaal 2x op JA geklikt dat men dit zeker weet"_s,
                     }));
    // An empty archive file is no archive: nothing is written, to either file.
    const QString archive = QDir(ctx.DataPad).filePath(u"Archief.sqlite"_s);
    const auto bytes = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(geen)");
    };
    QFile::rename(archive, archive + u".bewaard"_s);
    QFile(archive).open(QIODevice::WriteOnly);
    const QString workingBefore = single(main(), u"SELECT COUNT(*) FROM Ordergegevens"_s);
    EXPECT_EQ(test::runTool(reg, {u"archiveren"_s, ctx.DataPad, u"01-01-2026"_s, u"--ja"_s}).code, 2);
    EXPECT_EQ(bytes(archive), QByteArray());
    EXPECT_EQ(single(main(), u"SELECT COUNT(*) FROM Ordergegevens"_s), workingBefore);
    QFile::remove(archive);
    QFile::rename(archive + u".bewaard"_s, archive);
    // Bad limits write nothing.
    for (const auto &[job, limit, message] : {std::tuple{u"archiveren"_s, u"31-12-2099"_s, u"Deze datum ligt in de toekomst."_s},
                                              std::tuple{u"opschonen"_s, u"2026"_s, u"Deze datum ligt in de toekomst."_s},
                                              std::tuple{u"opschonen"_s, u"31-02-2025"_s, u"Er is een onlogische datum ingegeven."_s}}) {
        const test::ToolResult refused = test::runTool(reg, {job, ctx.DataPad, limit, u"--ja"_s});
        EXPECT_EQ(refused.code, 1);
        EXPECT_TRUE(refused.err.startsWith(message)) << refused.err.toStdString();
    }
}

// An order another program holds, or whose number the archive has already, stays where it is
// and is named; held, it goes once it is released.
TEST_F(OrderMoveTest, HeldAndArchivedOrdersAreSkippedAndNamed)
{
    OrderMove trial(ctx, {OrderSelection::Job::Archiveren, u"20260101"_s, false});
    trial.perform(nullptr, true);
    QStringList going;
    db::Statement candidates = main().prepareOnce(u"SELECT DISTINCT OrderNr FROM Ordergegevens WHERE OrderDatum < '20260101' ORDER BY 1"_s);
    while (candidates.step())
        if (!stays(trial).count(candidates.column(0).toString()))
            going << candidates.column(0).toString();
    ASSERT_EQ(going.value(0), u"00000001"_s); // the first row of Ordergegevens, the one the peer holds
    archief().exec(u"INSERT INTO OrderGegevensArchief (OrderNr, RegelNr, RecordCode) VALUES ('"_s + going[1] + u"', 1, 9)"_s);

    QProcess peer;
    peer.start(QStringLiteral(EDITING_PEER), {u"lock"_s, ctx.DataPad, u"Ordergegevens"_s});
    while (!peer.canReadLine() && peer.waitForReadyRead(30000)) {
    }
    ASSERT_EQ(peer.readLine().trimmed(), "locked");
    OrderMove heldTrial(ctx, {OrderSelection::Job::Archiveren, u"20260101"_s, false});
    heldTrial.perform(nullptr, true);
    EXPECT_EQ(stays(heldTrial)[going[0]], u"in gebruik"_s);
    EXPECT_EQ(stays(heldTrial)[going[1]], u"al in archief"_s);
    const QString reg = dir.filePath(u"tool.reg"_s);
    const test::ToolResult held = test::runTool(reg, {u"archiveren"_s, ctx.DataPad, u"01-01-2026"_s, u"--ja"_s});
    EXPECT_EQ(held.code, 3);
    EXPECT_TRUE(held.out.contains(u"\norders\t"_s + QString::number(heldTrial.counts().orders) + u'\n')) << held.out.toStdString();
    EXPECT_EQ(held.err, u"Overgeslagen: "_s + going[0] + u" (in gebruik)\nOvergeslagen: "_s + going[1] + u" (al in archief)\n"_s);
    EXPECT_FALSE(archived(going[0]));
    EXPECT_EQ(single(archief(), u"SELECT COUNT(*) FROM OrderGegevensArchief WHERE OrderNr = ?"_s, {going[1]}), u"1"_s);
    EXPECT_TRUE(archived(going[2]));
    peer.write("\n");
    peer.waitForFinished();

    const test::ToolResult released = test::runTool(reg, {u"archiveren"_s, ctx.DataPad, u"01-01-2026"_s, u"--ja"_s});
    EXPECT_EQ(released.code, 3); // the archived number still stays
    EXPECT_EQ(released.err, u"Overgeslagen: "_s + going[1] + u" (al in archief)\n"_s);
    EXPECT_TRUE(archived(going[0]));
}

// The screen's chain: a No to the repeated question changes nothing and logs nothing; Yes to
// both moves the orders, says so and counts the archive again.
TEST_F(OrderMoveTest, TheScreenMovesOnlyAfterTwoYeses)
{
    OrderMoveScreen screen(ctx, OrderSelection::Job::Archiveren);
    auto *limit = screen.findChild<QLineEdit *>(u"txtDatum"_s);
    const auto logged = [&] { return QDir(ctx.DataPad).entryList({u"kvpro-*.log"_s}).size(); };
    limit->setText(u"01-01-2026"_s);
    dialogs.script({mb::Yes, mb::No});
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts(), (QStringList{orders::Vraag.toString(), orders::Herhaling.toString()}));
    EXPECT_EQ(dialogs.shown[1].title, u"CONTROLE"_s);
    EXPECT_EQ(logged(), 0);
    EXPECT_FALSE(archived(u"00000001"_s));

    dialogs.script({mb::Yes, mb::Yes});
    screen.cmdDelete_Click();
    EXPECT_EQ(dialogs.prompts().last(), orders::Opgeschoond.toString());
    EXPECT_TRUE(archived(u"00000001"_s));
    EXPECT_EQ(screen.findChild<QLabel *>(u"lblArchief"_s)->text(), u"Aanwezige orderregels in archief: 243"_s);
    limit->clear();
    screen.cmdProef_Click();
    EXPECT_EQ(dialogs.prompts().last(), orders::GeenDatum.toString());
}

// An archive made before a table or field was known gets it first, logged; a field of another
// type stops the run before anything moves.
TEST_F(OrderMoveTest, AnOlderArchiveIsCompletedFirst)
{
    archief().exec(u"DROP TABLE OrderLogistiekArchief"_s);
    archief().exec(u"ALTER TABLE OrderGegevensArchief DROP COLUMN Omschrijving"_s);
    OrderMove move(ctx, {OrderSelection::Job::Archiveren, u"20260101"_s, false});
    move.perform(nullptr);
    EXPECT_EQ(single(archief(), u"SELECT COUNT(*) FROM OrderGegevensArchief WHERE Omschrijving <> ''"_s),
              single(archief(), u"SELECT COUNT(*) FROM OrderGegevensArchief"_s));
    EXPECT_NE(single(archief(), u"SELECT COUNT(*) FROM OrderLogistiekArchief"_s), u"0"_s);
    QFile log(QDir(ctx.DataPad).entryInfoList({u"kvpro-*.log"_s}).value(0).filePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(u": + Aangevuld     : OrderLogistiekArchief\r\n"_s)) << logged.toStdString();
    EXPECT_TRUE(logged.contains(u": + Aangevuld     : OrderGegevensArchief.Omschrijving\r\n"_s));

    archief().exec(u"DROP TABLE OrderNotitieArchief"_s);
    archief().exec(u"CREATE TABLE OrderNotitieArchief (ID LONG, OrderNr TEXT(15) COLLATE JET, Relnr TEXT(15) COLLATE JET, "
                   u"Datum TEXT(8) COLLATE JET, Notitie DOUBLE)"_s);
    const QString before = single(main(), u"SELECT COUNT(*) FROM Ordergegevens"_s);
    Session reopened; // as the archive is when the console starts
    ASSERT_TRUE(reopened.OpenAdministratie(ctx.DataPad));
    ctx.session = &reopened;
    OrderMove clash(ctx, {OrderSelection::Job::Opschonen, u"20260101"_s, false});
    try {
        clash.perform(nullptr);
        ADD_FAILURE() << "a field of another type was taken";
    } catch (const db::DbError &e) {
        EXPECT_EQ(e.description(), u"Het veld Notitie van de tabel OrderNotitieArchief heeft een ander soort gegevens dan het "
                                   u"programma verwacht; er is niets gewijzigd."_s);
    }
    EXPECT_EQ(single(main(), u"SELECT COUNT(*) FROM Ordergegevens"_s), before);
}

// A user saving an order's lines again and again while the clean-up runs, with each line's
// record lock held while typing (pessimistic) or not (optimistic): the archive holds the text
// each line's last landed save stored, never an older one, and the order is nowhere else.
TEST_F(OrderMoveTest, LinesSavedDuringARunReachTheArchiveAsLastSaved)
{
    const QString nr = single(main(), u"SELECT OrderNr FROM Ordergegevens GROUP BY OrderNr HAVING COUNT(*) > 1 "
                                      u"AND MAX(OrderDatum <> '' AND OrderDatum < '20260101') = 1 ORDER BY OrderNr DESC LIMIT 1"_s);
    ASSERT_FALSE(nr.isEmpty());
    std::map<int, std::string> original; // Omschrijving by RegelNr
    db::Statement lines = main().prepareOnce(u"SELECT RegelNr, Omschrijving FROM Ordergegevens WHERE OrderNr = ?"_s);
    lines.bind(1, nr);
    while (lines.step())
        original[lines.column(0).toInt()] = lines.column(1).toString().toStdString();
    main().exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    const test::MemoryDir memory;
    const QString start = memory.filePath(u"start/"_s), work = memory.filePath(u"werk/"_s), reg = dir.filePath(u"tool.reg"_s);
    test::copyFolder(ctx.DataPad, start);
    for (const QString &mode : {u"pessimistisch"_s, u"optimistisch"_s}) {
        test::copyFolder(start, work);
        QProcess user;
        user.start(QStringLiteral(MAINTENANCE_PEER), {work, u"bijwerken"_s, nr, mode});
        while (!user.canReadLine() && user.waitForReadyRead(30000)) {
        }
        ASSERT_TRUE(user.peek(8) == "bewaard ") << mode.toStdString();
        const int code = test::runTool(reg, {u"opschonen"_s, work, u"2025"_s, u"--ja"_s}).code;
        user.closeWriteChannel();
        ASSERT_TRUE(user.waitForFinished(30000));
        ASSERT_EQ(test::runTool(reg, {u"opschonen"_s, work, u"2025"_s, u"--ja"_s}).code, 0);
        std::map<int, std::string> expected = original;
        const QStringList said = QString::fromUtf8(user.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line : said)
            if (line.startsWith(u"bewaard "_s))
                expected[line.section(u' ', 1, 1).toInt()] = line.section(u' ', 2).toStdString();
        Session after;
        ASSERT_TRUE(after.OpenAdministratie(work));
        std::map<int, std::string> archived;
        db::Statement rows = after.DBArchief().prepareOnce(u"SELECT RegelNr, Omschrijving FROM OrderGegevensArchief WHERE OrderNr = ?"_s);
        rows.bind(1, nr);
        while (rows.step())
            archived[rows.column(0).toInt()] = rows.column(1).toString().toStdString();
        EXPECT_EQ(archived, expected) << mode.toStdString() << ", first run ended " << code << ", the user: " << said.last().toStdString();
        EXPECT_EQ(single(after.DBAdmin(), u"SELECT COUNT(*) FROM Ordergegevens WHERE OrderNr = ?"_s, {nr}), u"0"_s);
        std::printf("%s: %lld saves, the first run ended %d\n", qPrintable(mode), qlonglong(said.size() - 1), code);
    }
}

// What the order moves touch, row by row, sorted: two folders that dump alike hold the same.
QStringList dump(Session &session)
{
    QStringList rows;
    for (db::Database *db : {&session.DBAdmin(), &session.DBArchief()})
        for (const QString &table : db->tableNames()) {
            if (!table.startsWith(u"Order"_s, Qt::CaseInsensitive) && table != u"Ritgegevens" && table != u"OnderhoudLopend")
                continue;
            db::Statement all = db->prepareOnce(u"SELECT * FROM \""_s + table + u'"');
            while (all.step()) {
                QString row = table;
                for (int i = 0; i < all.columnCount(); ++i)
                    row += u'|' + all.column(i).toString();
                rows << row;
            }
        }
    rows.sort();
    return rows;
}

// Rows per order over the six working tables, or their six archive tables.
std::map<QString, int> rowsPerOrder(db::Database &db, bool archive)
{
    std::map<QString, int> rows;
    for (const QString &table : kWorking) {
        QString name = table;
        if (archive)
            name = (table == u"Ordergegevens" ? u"OrderGegevens"_s : table) + u"Archief"_s;
        db::Statement all = db.prepareOnce(u"SELECT OrderNr, COUNT(*) FROM \""_s + name + u"\" GROUP BY OrderNr"_s);
        while (all.step())
            rows[all.column(0).toString()] += all.column(1).toInt();
    }
    return rows;
}

// The console killed after each commit of a run in turn (groups of four orders), and the tool
// killed at moments spread over its run: both files stay sound, every order is whole in one of
// them (in both only under a marker), and a run after the kill ends as one uninterrupted run.
TEST_F(OrderMoveTest, AKilledRunLeavesWholeOrdersAndARunAfterItEndsAsOneWholeRun)
{
    const test::MemoryDir memory;
    const QString start = memory.filePath(u"start/"_s), work = memory.filePath(u"werk/"_s);
    test::copyFolder(ctx.DataPad, start);
    std::map<QString, int> before = rowsPerOrder(main(), false);
    const auto peer = [&](int dieAt) {
        QProcess p;
        p.start(QStringLiteral(MAINTENANCE_PEER), {work, u"4"_s, QString::number(dieAt), u"archiveren"_s, u"01-01-2026"_s});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    };
    const auto outcome = [&] {
        Session after;
        EXPECT_TRUE(after.OpenAdministratie(work));
        return dump(after);
    };
    test::copyFolder(start, work);
    const QString whole = peer(0);
    ASSERT_TRUE(whole.startsWith(u"commits "_s)) << whole.toStdString();
    const QStringList reference = outcome();
    const int commits = whole.mid(8).toInt();

    int points = 0, between = 0;
    for (int dieAt = 1; dieAt <= commits; dieAt += std::max(1, commits / 60)) {
        test::copyFolder(start, work);
        const QString killed = peer(dieAt);
        ASSERT_TRUE(killed.startsWith(u"killed "_s)) << killed.toStdString();
        ++points;
        between += killed == u"killed archief";
        {
            Session after;
            ASSERT_TRUE(after.OpenAdministratie(work));
            for (db::Database *db : {&after.DBAdmin(), &after.DBArchief()})
                ASSERT_EQ(single(*db, u"PRAGMA integrity_check"_s), u"ok"_s) << killed.toStdString();
            const std::map<QString, int> working = rowsPerOrder(after.DBAdmin(), false), archived = rowsPerOrder(after.DBArchief(), true);
            QStringList marked;
            db::Statement markers = after.DBArchief().prepareOnce(u"SELECT Sleutel FROM OnderhoudLopend"_s);
            while (markers.step())
                marked << markers.column(0).toString();
            for (const auto &[nr, rows] : before) {
                const int w = working.count(nr) ? working.at(nr) : 0, a = archived.count(nr) ? archived.at(nr) : 0;
                const bool whole = (w == rows && a == 0) || (w == 0 && a == rows) || (marked.contains(nr) && w == rows && a == rows);
                ASSERT_TRUE(whole) << nr.toStdString() << " after " << killed.toStdString() << ": " << w << " + " << a << " of " << rows;
            }
        }
        EXPECT_TRUE(peer(0).startsWith(u"commits "_s));
        ASSERT_EQ(outcome(), reference) << "after " << killed.toStdString() << " at commit " << dieAt;
    }
    std::printf("Killed at %d commits, %d of them between the archive's commit and the working one\n", points, between);
    EXPECT_GE(points, 50);
    EXPECT_GE(between, 10);

    // The tool killed at moments spread over its run on ten times the orders.
    {
        Session grow;
        ASSERT_TRUE(grow.OpenAdministratie(start));
        for (int copy = 1; copy < 10; ++copy)
            grow.DBAdmin().exec(u"INSERT INTO Ordergegevens (OrderNr, RegelNr, RelNr, OrderDatum, RecordCode, OrderTag, FactuurNr) "
                                u"SELECT OrderNr || '-%1', RegelNr, RelNr, OrderDatum, RecordCode, OrderTag, FactuurNr "
                                u"FROM Ordergegevens WHERE OrderNr NOT LIKE '%-%'"_s.arg(copy));
        before = rowsPerOrder(grow.DBAdmin(), false);
        grow.DBAdmin().exec(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    }
    test::copyFolder(start, work);
    const QString reg = dir.filePath(u"tool.reg"_s);
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(test::runTool(reg, {u"archiveren"_s, work, u"01-01-2026"_s, u"--ja"_s}).code, 0);
    const qint64 runMs = timer.elapsed();
    const QStringList grown = outcome();
    for (int kill = 1; kill <= 10; ++kill) {
        test::copyFolder(start, work);
        auto tool = test::startTool(reg, {u"archiveren"_s, work, u"01-01-2026"_s, u"--ja"_s});
        QThread::msleep(runMs * kill / 11);
        ::kill(pid_t(tool->processId()), SIGKILL);
        test::finish(*tool);
        ASSERT_EQ(test::runTool(reg, {u"archiveren"_s, work, u"01-01-2026"_s, u"--ja"_s}).code, 0);
        ASSERT_EQ(outcome(), grown) << "killed after " << runMs * kill / 11 << " ms";
    }
}

} // namespace

// korvenal-admin importeer as the administrator runs it, on the Jet samples.
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "migration/jetreader.h"
#include "support/toolprocess.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

using namespace Qt::StringLiterals;

namespace kv::migration {
namespace {

class ImportTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(source);
        QFile::copy(QStringLiteral(MDB_DATA "/nwind.mdb"), QDir(source).filePath(u"KorvenalDB.mdb"_s));
        QFile::copy(QStringLiteral(MDB_DATA "/DateTestDatabase.mdb"), QDir(source).filePath(u"archief.MDB"_s));
    }
    test::ToolResult run(const QStringList &arguments) { return test::runTool(registry, QStringList{u"importeer"_s} + arguments); }
    // The bytes of every file of the source folder, to show it was only read.
    QByteArray sourceHash() const
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString &name : QDir(source).entryList(QDir::Files | QDir::Hidden)) {
            QFile file(QDir(source).filePath(name));
            file.open(QIODevice::ReadOnly);
            hash.addData(name.toUtf8());
            hash.addData(file.readAll());
        }
        return hash.result();
    }
    QStringList leftovers() const { return QDir(dir.filePath(u"x"_s)).entryList({u".Proef012026*"_s}, QDir::Dirs | QDir::Hidden); }

    QTemporaryDir dir;
    const QString source = dir.filePath(u"windows"_s), target = dir.filePath(u"x/Proef012026"_s), registry = dir.filePath(u"registry.reg"_s);
};

// Northwind as the main database and the date test as the archive: nothing the schema knows,
// so every table lands whole in the side database and is reported; the administration is
// complete and empty.
TEST_F(ImportTool, UnknownTablesLandAsideAndTheAdministrationIsWhole)
{
    const QByteArray before = sourceHash();
    const test::ToolResult result = run({source, target});
    EXPECT_EQ(result.code, 3) << result.err.toStdString();
    EXPECT_EQ(sourceHash(), before);

    QFile report(QDir(target).filePath(u"importverslag.txt"_s));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QString reported = QString::fromUtf8(report.readAll());
    auto unknown = db::Database::open(QDir(target).filePath(u"Onbekend.sqlite"_s), {});
    for (const char *file : {"nwind.mdb", "DateTestDatabase.mdb"}) {
        JetReader reader(QStringLiteral(MDB_DATA "/") + QLatin1StringView(file));
        for (const SourceTable &table : reader.tables()) {
            EXPECT_EQ(unknown->OpenTable(table.name)->RecordCount(), table.rows) << table.name.toStdString();
            const QString line = u"%1: tabel niet in het schema; %2 rijen bewaard in Onbekend.sqlite"_s.arg(table.name).arg(table.rows);
            EXPECT_TRUE(reported.contains(line) && result.err.contains(line)) << line.toStdString();
        }
    }
    for (const schema::Table &table : schema::tables()) {
        if (table.db == schema::Db::Nutrient)
            continue;
        auto db = db::Database::open(QDir(target).filePath(QLatin1StringView(schema::databaseName(table.db)) + u".sqlite"_s), {});
        EXPECT_EQ(db->OpenTable(QString::fromUtf8(table.name))->RecordCount(), 0) << table.name;
    }
    const QStringList logs = QDir(target).entryList({u"kvpro-*.log"_s});
    ASSERT_EQ(logs.size(), 1);
    QFile log(QDir(target).filePath(logs[0]));
    log.open(QIODevice::ReadOnly);
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(u"SYSTEEM   : Formulier       : Importeren"_s)) << logged.toStdString();
    EXPECT_TRUE(logged.contains(u"SYSTEEM   : + Actie         : "_s + source));
    EXPECT_TRUE(logged.contains(u"SYSTEEM   : + Tabel         : Order Details 2155/2155 (Onbekend)"_s));
    EXPECT_TRUE(leftovers().isEmpty());
}

// Bad input changes nothing; a file that is no database is named.
TEST_F(ImportTool, RefusesBadInput)
{
    const QString empty = dir.filePath(u"leeg"_s), broken = dir.filePath(u"kapot"_s);
    QDir().mkpath(empty);
    QDir().mkpath(broken);
    QFile file(QDir(broken).filePath(u"KorvenalDB.mdb"_s));
    file.open(QIODevice::WriteOnly);
    file.write("geen database");
    file.close();
    QDir().mkpath(dir.filePath(u"bestaat"_s));
    const struct {
        QString source, target;
        int code;
        QString message;
    } cases[] = {
        {source, dir.filePath(u"bestaat"_s), 1, u"De doelmap "_s + dir.filePath(u"bestaat"_s) + u" bestaat al; kies een nieuwe map."_s},
        {empty, target, 1, u"In "_s + empty + u" staat geen Access-database van KorvenalPro"_s},
        {dir.filePath(u"nergens"_s), target, 1, u"De bronmap "_s + dir.filePath(u"nergens"_s) + u" bestaat niet."_s},
        {broken, target, 2, QDir(broken).filePath(u"KorvenalDB.mdb"_s) + u" is geen Access-database."_s},
    };
    for (const auto &c : cases) {
        const test::ToolResult result = run({c.source, c.target});
        EXPECT_EQ(result.code, c.code) << c.message.toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_TRUE(leftovers().isEmpty());
    }
    EXPECT_EQ(QDir(dir.filePath(u"bestaat"_s)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
}

// Killed at points a fixed seed chooses: no target, the source as it was; interrupted: the
// same, with 130; the next run removes the killed runs' leftovers and succeeds.
TEST_F(ImportTool, KilledOrInterruptedLeavesNoTarget)
{
    const QByteArray before = sourceHash();
    QRandomGenerator seeded(19);
    for (const int signal : {SIGKILL, SIGKILL, SIGKILL, SIGINT}) {
        const auto tool = test::startTool(registry, {u"importeer"_s, source, target});
        for (int wait = 0; wait < 2000 && leftovers().isEmpty(); ++wait) // the job is at work
            QThread::msleep(5);
        QThread::msleep(seeded.bounded(300));
        ::kill(pid_t(tool->processId()), signal);
        const int code = test::finish(*tool).code;
        if (code == 3) // done before the signal came
            QDir(target).removeRecursively();
        else
            EXPECT_EQ(code, signal == SIGINT ? 130 : -1);
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_EQ(sourceHash(), before);
    }
    const test::ToolResult again = run({source, target});
    EXPECT_EQ(again.code, 3) << again.err.toStdString();
    EXPECT_TRUE(leftovers().isEmpty());
}

// One byte of the catalogue's page chain changed, and libmdb goes round it for ever: the import
// gives up after the stall, names the file, leaves no target and the source as it was; with the
// file whole again the next run succeeds.
TEST_F(ImportTool, ADamagedFileEndsTheImportNamingIt)
{
    const QString main = QDir(source).filePath(u"KorvenalDB.mdb"_s);
    QFile file(main);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(1508757));
    file.write("\x0b", 1);
    file.close();
    const QByteArray before = sourceHash();

    qputenv("BEHEER_IMPORT_STALL", "1");
    const test::ToolResult damaged = run({source, target});
    qunsetenv("BEHEER_IMPORT_STALL");
    EXPECT_EQ(damaged.code, 2);
    EXPECT_TRUE(damaged.err.contains(main + u" kan niet worden gelezen: het bestand is beschadigd."_s)) << damaged.err.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(sourceHash(), before);

    ASSERT_TRUE(QFile::remove(main));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MDB_DATA "/nwind.mdb"), main));
    EXPECT_EQ(run({source, target}).code, 3);
    EXPECT_TRUE(leftovers().isEmpty());
}

// The console on a folder of the Windows suite does not take the Access file for its own: it
// says how to bring it over, and the file stays as it was.
TEST_F(ImportTool, TheConsoleRefusesAnAccessAdministration)
{
    const QByteArray before = sourceHash();
    Session session;
    QString heard;
    session.onOpenFailed([&](const db::DbError &e) { heard = e.description(); });
    EXPECT_FALSE(session.OpenAdministratie(source));
    EXPECT_EQ(heard, u"Deze administratie is nog een Access-database. Zet hem over met: korvenal-admin importeer <map> <nieuwe map>"_s);
    EXPECT_EQ(sourceHash(), before);
}

} // namespace
} // namespace kv::migration

#include "core/db/dberror.h"
#include "core/session/administration.h"
#include "core/session/datafiles.h"
#include "core/session/session.h"
#include "support/administrationfixture.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kv::Session;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

TEST(Wachtwoord, DecodesDoubledReversedCodes)
{
    struct Case {
        QString line, password;
    };
    const Case cases[] = {
        {QStringLiteral(u"\u00c6\u00c4\u00c2"), QStringLiteral("abc")},
        {QString(), QString()},
        {QStringLiteral(u"\u00c3"), QStringLiteral("b")}, // 97.5 rounds to the even 98
        {QStringLiteral(u"\u00c5"), QStringLiteral("b")}, // 98.5 rounds to the even 98
    };
    for (const Case &c : cases)
        EXPECT_EQ(kv::DecodeerWachtwoord(c.line), c.password);
    EXPECT_EQ(kv::DecodeerWachtwoord(kv::EncodeerWachtwoord(QStringLiteral("Geheim#2026"))),
              QStringLiteral("Geheim#2026"));
}

TEST(Session, OpensEveryTableOfTheListAndFindsThemIgnoringCase)
{
    kv::test::TempAdministration admin;
    Session session;
    ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
    EXPECT_EQ(Session::sharedTables().size(), 160u);
    for (const Session::SharedTable &t : Session::sharedTables())
        EXPECT_NO_THROW(session.table(QString::fromLatin1(t.name).toUpper())) << t.name;
    EXPECT_THROW(session.table(QStringLiteral("TabelLoods")), kv::db::DbError); // opened by name when needed
}

// An administration made before the console kept its own tables gets them when it is opened.
TEST(Session, TheConsolesOwnTablesAreMadeWhenMissing)
{
    kv::test::TempAdministration admin;
    kv::db::Database::open(admin.dataPad() + QStringLiteral("KorvenalDB.sqlite"), QString())
        ->exec(QStringLiteral("DROP TABLE InstellingenLog"));
    Session session;
    ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
    EXPECT_TRUE(session.DBAdmin().hasTable(QStringLiteral("InstellingenLog")));
}

TEST(Session, LockFileSwitchesLockingOfTheMarkedTablesOnly)
{
    struct Case {
        const char *content; // nullptr: no lock file
        bool locks;
    };
    for (const Case &c : {Case{nullptr, true}, Case{"FALSE\r\n", false}, Case{"false", false},
                          Case{"true\r\n", true}, Case{"\r\n", true}, Case{"falsey", true}}) {
        kv::test::TempAdministration admin;
        if (c.content)
            writeFile(admin.dataPad() + QStringLiteral("Korvenal.LOCK"), c.content);
        Session session;
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad())) << (c.content ? c.content : "(none)");
        int following = 0;
        for (const Session::SharedTable &t : Session::sharedTables()) {
            const bool expected = t.locking ? c.locks : true;
            EXPECT_EQ(session.table(QString::fromLatin1(t.name)).LockEdits(), expected) << t.name;
            following += t.locking;
        }
        EXPECT_EQ(following, 26);
    }
}

TEST(Session, RefusesWhatIsMissingOrWrong)
{
    Session none;
    EXPECT_FALSE(none.OpenAdministratie(QString()));
    EXPECT_FALSE(none.OpenAdministratie(QStringLiteral("/bestaat/niet/")));

    struct Case {
        const char *what;
        std::function<void(const QString &)> spoil;
    };
    const Case cases[] = {
        {"archive missing", [](const QString &d) { QFile::remove(d + QStringLiteral("Archief.sqlite")); }},
        {"wrong password", [](const QString &d) { writeFile(d + QStringLiteral("korvenal.pwd"), "\xc4\xc2\r\n"); }},
        {"empty password file", [](const QString &d) { writeFile(d + QStringLiteral("korvenal.pwd"), ""); }},
        {"empty lock file", [](const QString &d) { writeFile(d + QStringLiteral("korvenal.lock"), ""); }},
        {"table missing", [](const QString &d) {
             auto db = kv::db::Database::open(d + QStringLiteral("KorvenalDB.sqlite"), QString());
             db->exec(QStringLiteral("DROP TABLE TabelLint"));
         }},
    };
    for (const Case &c : cases) {
        kv::test::TempAdministration admin;
        c.spoil(admin.dataPad());
        Session session;
        EXPECT_FALSE(session.OpenAdministratie(admin.dataPad())) << c.what;
    }
}

// "P" is written as a no-break space, which a reader must not trim away.
TEST(Session, PasswordFileOpensAProtectedAdministration)
{
    kv::test::TempAdministration admin(QStringLiteral("Pieter"));
    EXPECT_EQ(kv::folderPassword(admin.dataPad()), QStringLiteral("Pieter"));
    Session session;
    EXPECT_TRUE(session.OpenAdministratie(admin.dataPad()));
    QFile::remove(admin.dataPad() + QStringLiteral("korvenal.pwd"));
    Session without;
    EXPECT_FALSE(without.OpenAdministratie(admin.dataPad()));
}

TEST(DataFiles, AreFoundWithoutRegardToCaseUnderEitherExtension)
{
    kv::test::TempAdministration admin;
    const QString d = admin.dataPad();
    ASSERT_TRUE(QFile::rename(d + QStringLiteral("KorvenalDB.sqlite"), d + QStringLiteral("KORVENALDB.Sqlite")));
    writeFile(d + QStringLiteral("Trimble.MDB"), "x");
    EXPECT_EQ(kv::findDataFile(d, QStringLiteral("KorvenalDB.mdb")), d + QStringLiteral("KORVENALDB.Sqlite"));
    EXPECT_EQ(kv::findDataFile(d, QStringLiteral("trimble.mdb")), d + QStringLiteral("Trimble.MDB"));
    EXPECT_EQ(kv::findDataFile(d, QStringLiteral("grondstof.mdb")), d + QStringLiteral("Grondstof.sqlite"));
    EXPECT_EQ(kv::findDataFile(d, QStringLiteral("access.dat")), QString());
    Session session;
    EXPECT_TRUE(session.OpenAdministratie(d));

    // A relative folder still opens, although opening makes the folder the current directory.
    const QString before = QDir::currentPath();
    QDir::setCurrent(d + QStringLiteral(".."));
    Session relative;
    EXPECT_TRUE(relative.OpenAdministratie(QDir(d).dirName()));
    QDir::setCurrent(before);
}

TEST(Session, WithoutAnOpenAdministrationTheDatabasesAreAnError)
{
    Session session;
    for (auto database : {&Session::DBAdmin, &Session::DBArchief}) {
        try {
            (session.*database)();
            ADD_FAILURE() << "no error";
        } catch (const kv::db::DbError &e) {
            EXPECT_EQ(e.description(), QStringLiteral("Er is geen administratie geopend."));
        }
    }
}

// The workspace rolls back every database, also after one of them failed to.
TEST(Session, WorkspaceRollbackReachesEveryDatabase)
{
    kv::test::TempAdministration admin;
    Session session;
    ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
    session.WSAdmin().BeginTrans();
    session.WSAdmin().BeginTrans();
    session.DBArchief().Execute(QStringLiteral("INSERT INTO FaktuurHistorie (FactuurNr) VALUES ('1')"));
    session.DBAdmin().exec(QStringLiteral("RELEASE kv1")); // the admin's inner rollback will fail
    EXPECT_THROW(session.WSAdmin().Rollback(), kv::db::DbError);
    auto count = session.DBArchief().OpenRecordset(QStringLiteral("SELECT Count(*) AS n FROM FaktuurHistorie"));
    EXPECT_EQ(count->value(u"n").toInt(), 0);
    session.WSAdmin().Rollback();
    EXPECT_FALSE(session.DBAdmin().inTransaction());
    EXPECT_FALSE(session.DBArchief().inTransaction());
}

TEST(Wachtwoord, RefusesWhatThePasswordFileCannotHold)
{
    const QString message = QStringLiteral("Het wachtwoord mag alleen letters zonder accent, cijfers, spaties en "
                                           "leestekens bevatten; '%1' kan niet in het wachtwoordbestand worden bewaard.");
    for (const QString &bad : {QStringLiteral("Geheimé"), QStringLiteral("ab\t"), QStringLiteral("x\x7f")}) {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Nieuw012026"));
        try {
            kv::createAdministratie(folder, bad, true);
            ADD_FAILURE() << "made with " << bad.toStdString();
        } catch (const kv::db::DbError &e) {
            EXPECT_EQ(e.number(), kv::db::ErrInvalidPassword);
            EXPECT_EQ(e.description(), message.arg(bad.back()));
        }
        EXPECT_FALSE(QDir(folder).exists()) << "nothing is written";
    }
}

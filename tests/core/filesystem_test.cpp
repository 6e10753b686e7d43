// The data folder's file system and lock calls, through the seam kv::db::fileSystemCalls():
// a network file system and a refusing lock call cannot be made on a test machine.
#include "core/context.h"
#include "core/db/recordlocks.h"
#include "core/log/schrijflog.h"
#include "core/session/session.h"
#include "core/startup/startup.h"
#include "enginefixture.h"
#include "support/administrationfixture.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

namespace {

const QString unsafeFolder = QStringLiteral("Deze map staat op een netwerkschijf zonder werkende vergrendeling; "
                                            "de administratie kan hier niet veilig worden geopend.");

// Puts other calls in place for one test.
class FileSystem {
public:
    FileSystem(long type, int (*setLock)(int, int, struct flock *), const char *mountOptions = "rw")
        : m_saved(kv::db::fileSystemCalls())
    {
        s_type = type;
        s_options = QString::fromLatin1(mountOptions);
        kv::db::fileSystemCalls().type = [](const QString &) { return s_type; };
        kv::db::fileSystemCalls().mountOptions = [](const QString &) { return s_options; };
        if (setLock)
            kv::db::fileSystemCalls().setLock = setLock;
    }
    ~FileSystem() { kv::db::fileSystemCalls() = m_saved; }

private:
    kv::db::FileSystemCalls m_saved;
    static inline long s_type = 0;
    static inline QString s_options;
};

constexpr long nfs = 0x6969, cifs = long(0xFF534D42), fuse = 0x65735546, ext4 = 0xEF53;

// A network file system that grants every lock, to every open file.
int grantsAll(int, int, struct flock *)
{
    return 0;
}

int outOfLocks(int, int, struct flock *)
{
    errno = ENOLCK;
    return -1;
}

QString journalMode(kv::db::Database &db)
{
    return db.OpenRecordset(QStringLiteral("PRAGMA journal_mode"))->value(0).toString();
}

} // namespace

TEST_F(EngineTest, NetworkFoldersUseTheRollbackJournalAndNeedWorkingLocks)
{
    db.reset();
    struct Case {
        long type;
        const char *journal;
    };
    for (const Case &c : {Case{ext4, "wal"}, Case{nfs, "delete"}, Case{cifs, "delete"}, Case{fuse, "delete"}}) {
        FileSystem fs(c.type, nullptr); // real locks, which work on the test machine's disk
        auto opened = kv::db::Database::open(path, QStringLiteral("geheim"));
        EXPECT_EQ(journalMode(*opened), QLatin1String(c.journal)) << std::hex << c.type;
    }

    auto refused = [&](const char *why) {
        try {
            kv::db::Database::open(path, QStringLiteral("geheim"));
            ADD_FAILURE() << "opened: " << why;
        } catch (const kv::db::DbError &e) {
            EXPECT_EQ(e.description(), unsafeFolder) << why;
        }
    };
    {
        // Another program keeps the file in WAL, so this connection cannot leave it.
        FileSystem local(ext4, nullptr);
        auto holder = kv::db::Database::open(path, QStringLiteral("geheim"));
        FileSystem fs(nfs, nullptr);
        refused("held in WAL");
    }
    {
        FileSystem fs(nfs, nullptr, "rw,relatime,vers=3,nolock");
        refused("mounted with nolock");
    }
    FileSystem fs(nfs, grantsAll);
    refused("locks granted twice");
    const QString made = dir.filePath(QStringLiteral("Nieuw.sqlite"));
    EXPECT_THROW(kv::db::Database::create(made, {}, engineTestTables()), kv::db::DbError);
    EXPECT_FALSE(QFile::exists(made));
}

TEST(FileSystemCalls, TheMountOptionsOfAFolderAreRead)
{
    const QStringList options = kv::db::fileSystemCalls().mountOptions(QDir::tempPath()).split(u',');
    EXPECT_TRUE(options.contains(QStringLiteral("rw")) || options.contains(QStringLiteral("ro"))) << options.join(u',').toStdString();
}

TEST_F(EngineTest, ALockCallTheSystemRefusesIsNotALockedRecord)
{
    addArticle(QStringLiteral("A1"), QStringLiteral("x"));
    auto rs = db->OpenTable(QStringLiteral("Artikelen"));
    FileSystem fs(ext4, outOfLocks);
    for (auto action : {&kv::db::Recordset::Edit, &kv::db::Recordset::Delete}) {
        try {
            (rs.get()->*action)();
            ADD_FAILURE() << "no error";
        } catch (const kv::db::DbError &e) {
            EXPECT_EQ(e.number(), kv::db::ErrLockFailed);
            EXPECT_TRUE(e.description().contains(QString::fromLocal8Bit(std::strerror(ENOLCK)))) << e.what();
        }
    }
}

TEST(StartUp, AFolderWithoutWorkingLocksIsReportedAndLogged)
{
    kv::test::TempAdministration admin;
    kv::Context ctx;
    ctx.DataPad = admin.dataPad();
    ctx.clock = [] { return QDateTime(QDate(2026, 3, 5), QTime(14, 3, 7)); };
    ctx.workstation = QStringLiteral("WERKPLEK-07");
    kv::Session session;
    QString heard;
    session.onOpenFailed([&](const kv::db::DbError &e) {
        heard = e.description();
        kv::reportFailedOpen(ctx, e);
    });
    FileSystem fs(nfs, grantsAll);
    EXPECT_FALSE(session.OpenAdministratie(admin.dataPad()));
    EXPECT_EQ(heard, unsafeFolder);
    QFile log(kv::logFilePath(ctx));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(unsafeFolder));
}

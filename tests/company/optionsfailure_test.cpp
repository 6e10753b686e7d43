// Saves of the invoicing options that fail halfway: the registry values and marker files written
// before the database part are put back byte for byte, and nothing of the save stays.
#include "core/db/database.h"
#include "editing/options/optionslogic.h"
#include "optionsfixture.h"

#include <QFileDevice>
#include <QProcess>

#include <unistd.h>

#include <memory>
#include <ostream>

using namespace kv;
using namespace kv::options;
using namespace Qt::Literals::StringLiterals;

namespace {

class FailedSaveTest : public test::OptionsFixture {
protected:
    FailedSaveTest()
    {
        // As another workstation left them: one file in other case and line ends, one missing.
        write(u"Sorteren.INI"_s, "1\n0\n");
        write(u"doorboeken.ini"_s, "1\r\n");
        registry.SchrijfRegistry(RegKeyKorvenal, u"DoorboekenFactuurmutaties", u"1"_s);
        registry.SchrijfRegistry(RegKeyKorvenal, u"AutoCheckFactuurNr", u"1"_s);
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(admin.dataPad() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Everything a save of the invoicing screen may touch.
    struct Stored {
        QByteArray registry, sorteren, doorboeken, creditfact;
        QStringList record;
        int trailRows = 0;
        bool operator==(const Stored &) const = default;
        friend void PrintTo(const Stored &s, std::ostream *os)
        {
            *os << "\n" << s.registry.toStdString() << "sorteren: " << s.sorteren.toStdString()
                << "doorboeken: " << s.doorboeken.toStdString() << "creditfact: " << s.creditfact.toStdString()
                << "\n" << s.record.join(u' ').toStdString() << "\ntrail rows: " << s.trailRows;
        }
    };
    Stored stored()
    {
        QFile reg(registry.path());
        EXPECT_TRUE(reg.open(QIODevice::ReadOnly));
        Stored s{reg.readAll(), fileBytes(u"Sorteren.INI"_s), fileBytes(u"doorboeken.ini"_s),
                 fileBytes(u"creditfact.ini"_s), {}, 0};
        auto rs = session.DBAdmin().OpenQuery(u"SELECT * FROM UserGegevens"_s);
        for (int i = 0; i < rs->FieldCount(); ++i)
            s.record << rs->FieldName(i) + u'=' + rs->text(rs->FieldName(i));
        s.trailRows = session.DBAdmin().OpenTable(u"InstellingenLog"_s)->RecordCount();
        return s;
    }

    // The invoicing screen with a database toggle, a registry toggle and every file option changed.
    std::unique_ptr<OptionsLogic> changedInvoicing()
    {
        const OptionScreen &screen = test::optionScreen(u"frmFactureren"_s);
        auto logic = std::make_unique<OptionsLogic>(ctx, screen);
        for (const auto &[control, state] : {std::pair{u"toggle 1"_s, u"on"_s}, {u"toggle 0"_s, u"on"_s},
                                             {u"toggle 12"_s, u"on"_s}, {u"toggle 14"_s, u"off"_s},
                                             {u"toggle 15"_s, u"on"_s}, {u"choice"_s, u"0"_s}})
            logic->setState(test::optionNamed(screen, control), state);
        return logic;
    }
};

// A second console holds the company record in edit (locked at Edit, the default).
TEST_F(FailedSaveTest, ARecordHeldByAnotherConsoleWritesNothingUntilItIsReleased)
{
    QProcess peer;
    peer.start(QStringLiteral(EDITING_PEER), {u"lock"_s, admin.dataPad(), u"UserGegevens"_s});
    while (!peer.canReadLine() && peer.waitForReadyRead(30000)) {
    }
    ASSERT_EQ(peer.readLine().trimmed(), "locked");

    const Stored before = stored();
    auto logic = changedInvoicing();
    EXPECT_FALSE(logic->save());
    EXPECT_EQ(dialogs.errors, QStringList{u"Kan niet bijwerken; de record wordt op dit moment door een andere "
                                          u"gebruiker bewerkt.\n\nFout 3260 bij: frmFactureren: Opslaan"_s});
    EXPECT_EQ(stored(), before);

    peer.kill();
    ASSERT_TRUE(peer.waitForFinished());
    EXPECT_TRUE(logic->save());
    const Stored after = stored();
    EXPECT_TRUE(after.record.contains(u"VerzamelOrders=1"_s));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Factureren_KopieFactuur"), u"1"_s);
    EXPECT_EQ(after.sorteren, QByteArray("0\r\n1\r\n"));
    EXPECT_EQ(after.doorboeken, QByteArray("0\r\n"));
    EXPECT_EQ(after.creditfact, QByteArray("0\r\n"));
    EXPECT_EQ(after.trailRows, 6); // two registry values, three files, one column
    EXPECT_EQ(dialogs.errors.size(), 1);
}

// The data folder cannot be written: the marker files fail before the database is reached.
TEST_F(FailedSaveTest, AnUnwritableDataFolderWritesNothing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes in any folder";
    const QString folder = admin.dataPad().chopped(1);
    const auto writable = QFile::permissions(folder);
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                  | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther));
    const Stored before = stored();
    auto logic = changedInvoicing();
    const bool saved = logic->save();
    const Stored after = stored();
    QFile::setPermissions(folder, writable);

    EXPECT_FALSE(saved);
    EXPECT_EQ(dialogs.errors, QStringList{u"Het bestand "_s + admin.dataPad() + u"creditfact.ini kan niet worden "
                                          u"geschreven.\n\nFout 3045 bij: frmFactureren: Opslaan"_s});
    EXPECT_EQ(after, before);
}

} // namespace

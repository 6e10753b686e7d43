#include "core/context.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "core/db/recordset.h"
#include "mail/serversettings.h"
#include "mail/templatestore.h"
#include "support/administrationfixture.h"
#include "support/printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kv {
namespace {

// The values of one administration never mix with another's; the stored texts map to the
// connection as the server dialog meant them.
TEST(MailSettings, ReadPerAdministration)
{
    QTemporaryDir dir;
    RegistryFile registry(dir.filePath(QStringLiteral("registry.reg")));
    ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    using Auth = ServerSettings::Auth;
    const struct {
        const char *port, *ssl, *auth;
        int readPort;
        bool implicitTls;
        Auth readAuth;
    } cases[] = {
        {"465", "1", "0", 465, true, Auth::UserPassword},
        {"587", "0", "1", 587, false, Auth::Anonymous},
        {" 25", "", "2", 25, false, Auth::Ntlm},
        {"", "ja", "7", 0, false, Auth::UserPassword},
        {"poort", "1", "", 0, true, Auth::UserPassword},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, {{"07-EmailSMTPServer", "smtp.voorbeeld.nl"},
                                                              {"07-EmailSMTPPort", c.port},
                                                              {"07-EmailSMTPUsername", "jan"},
                                                              {"07-EmailSMTPPassword", "geheim"},
                                                              {"07-EmailSMTPSSL", c.ssl},
                                                              {"07-EmailAuthMethod", c.auth},
                                                              {"08-EmailSMTPServer", "ander.voorbeeld.nl"}}));
        const ServerSettings s = readServerSettings(registry, QStringLiteral("07"));
        EXPECT_EQ(s.server, u"smtp.voorbeeld.nl");
        EXPECT_EQ(s.port, c.readPort) << c.port;
        EXPECT_EQ(s.userName, u"jan");
        EXPECT_EQ(s.password, u"geheim");
        EXPECT_EQ(s.implicitTls, c.implicitTls) << c.ssl;
        EXPECT_EQ(s.auth, c.readAuth) << c.auth;
        EXPECT_EQ(s.timeoutSeconds, 30);
    }
    EXPECT_EQ(readServerSettings(registry, QStringLiteral("09")).server, QString());
}

class TemplateStore : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        ctx.DataPad = admin.dataPad();
        ctx.session = &session;
    }

    test::TempAdministration admin;
    Session session;
    Context ctx;
};

TEST_F(TemplateStore, ReadsTheRowByItsNumber)
{
    db::Recordset &rs = session.table(QStringLiteral("TabelEmailTemplate"));
    for (const char *code : {"1", "2", "4"}) {
        rs.AddNew();
        rs.setValue(u"CodeNr", QString::fromLatin1(code));
        rs.setValue(u"Omschrijving", QStringLiteral("Sjabloon %1").arg(QString::fromLatin1(code)));
        rs.setValue(u"Sender", QStringLiteral(" "));
        rs.setValue(u"EmailSender", QStringLiteral("afzender@voorbeeld.nl "));
        rs.setValue(u"Subject", QStringLiteral("Factuur %factuurnr%"));
        rs.setValue(u"Content", QStringLiteral("<p>Hallo</p>"));
        rs.setValue(u"ReturnReceipt", true);
        rs.setValue(u"Attachment2", QStringLiteral("C:\\Documenten\\voorwaarden.pdf"));
        rs.setValue(u"Attachment3", QStringLiteral(" "));
        rs.Update();
    }
    const auto t = readTemplate(ctx, QStringLiteral("2"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->CodeNr, u"2");
    EXPECT_EQ(t->Omschrijving, u"Sjabloon 2");
    EXPECT_EQ(t->Sender, QString()); // a field written as one blank is empty
    EXPECT_EQ(t->EmailSender, u"afzender@voorbeeld.nl");
    EXPECT_EQ(t->Subject, u"Factuur %factuurnr%");
    EXPECT_TRUE(t->ReturnReceipt);
    EXPECT_FALSE(t->Disposition);
    EXPECT_EQ(t->Attachments, (std::array<QString, 5>{{QString(), QStringLiteral("C:\\Documenten\\voorwaarden.pdf"), QString(), QString(), QString()}}));
    EXPECT_FALSE(readTemplate(ctx, QStringLiteral("3")));
}

TEST_F(TemplateStore, InvoiceNumberOfTheUserRecord)
{
    EXPECT_EQ(currentFactuurNr(ctx), QString());
    db::Recordset &rs = session.table(QStringLiteral("UserGegevens"));
    rs.AddNew();
    rs.setValue(u"FactuurNr", QStringLiteral("260042"));
    rs.Update();
    EXPECT_EQ(currentFactuurNr(ctx), u"260042");
}

} // namespace
} // namespace kv

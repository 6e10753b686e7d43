#include "mail/serverform.h"
#include "mail/templatestore.h"
#include "mailfixture.h"
#include "support/demofixture.h"
#include "support/toolprocess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>

using namespace kv;
using namespace Qt::StringLiterals;

using test::fileBytes;
using test::header;

// The administrator's way: the demo, the server set by the tool, the test message of template 1.
class EmailToolTest : public DemoTest {
protected:
    void SetUp() override
    {
        DemoTest::SetUp();
        qputenv("BEHEER_SMTP_CAFILE", test::certificates().caFile.toUtf8());
    }

    test::ToolResult setServer(int port, const QString &password)
    {
        auto tool = test::startTool(registry.path(), {u"email"_s, folder(), u"server"_s, u"server=localhost"_s,
                                                      u"poort=%1"_s.arg(port), u"ssl=ja"_s, u"auth=0"_s,
                                                      u"gebruiker=jan"_s, u"wachtwoord=-"_s});
        tool->write(password.toUtf8() + "\n");
        tool->closeWriteChannel();
        return test::finish(*tool);
    }

    test::ToolResult sendTest() { return test::runTool(registry.path(), {u"email"_s, folder(), u"test"_s, u"1"_s, u"klant@voorbeeld.nl"_s}); }

    QString folder() const { return ctx.DataPad.chopped(1); }

    QByteArray logs() const
    {
        QByteArray all;
        for (const QString &name : QDir(ctx.DataPad).entryList({u"kvpro-*.log"_s}))
            all += fileBytes(ctx.DataPad + name);
        return all;
    }

    // Every file under `path`.
    static QStringList files(const QString &path)
    {
        QStringList found;
        for (QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            found << it.next();
        found.sort();
        return found;
    }

    static inline const QString password = u"Zomer!2026"_s;
};

TEST_F(EmailToolTest, SendsTemplateOneWithItsLogoAndTerms)
{
    test::SmtpServer server({.tls = test::SmtpServer::Tls::Implicit, .user = u"jan"_s, .password = password});
    ASSERT_EQ(setServer(server.port(), password).code, 0);
    EXPECT_FALSE(QFile::permissions(registry.path()) & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
        << "the registry holds the password";
    const test::ToolResult listed = test::runTool(registry.path(), {u"email"_s, folder(), u"server"_s});
    EXPECT_EQ(listed.out, u"server\tlocalhost\npoort\t%1\ngebruiker\tjan\nwachtwoord\t(verborgen)\nssl\tja\nauth\t0\nextern\tnee\n"_s
                              .arg(server.port()));

    const test::ToolResult tried = test::runTool(registry.path(), {u"email"_s, folder(), u"verbinding"_s});
    ASSERT_EQ(tried.code, 0) << tried.out.toStdString();
    const QStringList lines = tried.out.split(u'\n');
    EXPECT_EQ(lines.mid(0, 4).join(u'|').remove(QRegularExpression(u" \\(TLSv1\\.[23] / \\S+\\)"_s)),
              u"Verbinding met localhost op poort %1: gelukt|Beveiligde verbinding: gelukt|Aanmelden: gelukt|NOOP: gelukt"_s
                  .arg(server.port()));
    EXPECT_TRUE(lines.contains(u"S: 235 2.7.0 Authentication successful"_s)) << tried.out.toStdString();
    EXPECT_TRUE(lines.contains(u"C: QUIT"_s));
    EXPECT_FALSE(tried.out.contains(password)) << "nor any line of the login but the mechanism";
    EXPECT_EQ(lines.filter(u"C: "_s).filter(QRegularExpression(u"^C: (EHLO \\S+|AUTH \\S+ \\*\\*\\*|AUTH \\S+|\\*\\*\\*|NOOP|QUIT)$"_s)).size(),
              lines.filter(u"C: "_s).size());

    const test::ToolResult sent = sendTest();
    ASSERT_EQ(sent.code, 0) << sent.err.toStdString();
    EXPECT_EQ(sent.out, u"Het e-mailbericht is verzonden naar klant@voorbeeld.nl\n"_s);
    ASSERT_EQ(server.received(), 1);
    const QJsonObject message = server.message(1);
    EXPECT_EQ(message[u"user"].toString(), u"jan"_s);
    EXPECT_EQ(header(message, u"Subject"_s), u"Factuur %1 van Akkerhof Agrarische Handel"_s.arg(currentFactuurNr(ctx)));
    const QJsonArray parts = message[u"parts"].toArray();
    QString html, logoId;
    QByteArray pdf;
    for (const QJsonValue &part : parts) {
        if (part[u"content_type"].toString() == u"text/html")
            html = part[u"text"].toString();
        if (part[u"content_type"].toString() == u"image/png") {
            logoId = part[u"content_id"].toString().mid(1).chopped(1);
            EXPECT_EQ(fileBytes(part[u"file"].toString()), fileBytes(ctx.DataPad + u"Afbeeldingen/logo.png"_s));
        }
        if (part[u"filename"].toString() == u"Algemene voorwaarden.pdf")
            pdf = fileBytes(part[u"file"].toString());
    }
    EXPECT_TRUE(html.contains(u"src=\"cid:"_s + logoId + u'"')) << html.toStdString();
    EXPECT_EQ(pdf, fileBytes(ctx.DataPad + u"Documenten/Algemene voorwaarden.pdf"_s));
    EXPECT_TRUE(logs().contains("TEST-EMAIL: + Verzenden     : Nu verzonden"));
    EXPECT_FALSE(logs().contains(password.toUtf8()));
}

TEST_F(EmailToolTest, FailuresEndWithTheServersMessage)
{
    {
        test::SmtpServer server({.tls = test::SmtpServer::Tls::Implicit, .user = u"jan"_s, .password = u"anders"_s});
        ASSERT_EQ(setServer(server.port(), password).code, 0);
        const test::ToolResult refused = sendTest();
        EXPECT_EQ(refused.code, 2);
        EXPECT_TRUE(refused.err.contains(u"De e-mailserver localhost heeft de gebruikersnaam of het wachtwoord geweigerd."_s))
            << refused.err.toStdString();
        EXPECT_EQ(server.received(), 0);
        const test::ToolResult tried = test::runTool(registry.path(), {u"email"_s, folder(), u"verbinding"_s});
        EXPECT_EQ(tried.code, 2);
        EXPECT_TRUE(tried.out.contains(u"Aanmelden: mislukt\nDe e-mailserver localhost heeft de gebruikersnaam of het wachtwoord geweigerd."_s))
            << tried.out.toStdString();
    }
    const test::ToolResult stopped = sendTest(); // the server is gone
    EXPECT_EQ(stopped.code, 2);
    EXPECT_TRUE(stopped.err.contains(u"weigert de verbinding op poort"_s)) << stopped.err.toStdString();

    const test::ToolResult badAddress = test::runTool(registry.path(), {u"email"_s, folder(), u"test"_s, u"1"_s, u"klant"_s});
    EXPECT_EQ(badAddress.code, 1);
    EXPECT_EQ(badAddress.err, u"Vul een geldig e-mailadres in.\n"_s);
    EXPECT_EQ(test::runTool(registry.path(), {u"email"_s, folder(), u"server"_s, u"poort=0"_s}).code, 1);
    EXPECT_EQ(test::runTool(registry.path(), {u"email"_s, folder(), u"verzend"_s}).code, 64);
    EXPECT_FALSE(logs().contains(password.toUtf8()));
}

// Killed while the server holds it in DATA: nothing arrives, and the message it was sending had
// no name anywhere (an anonymous temporary file), so nothing of it is left.
TEST_F(EmailToolTest, KilledInDataLeavesNoFile)
{
    test::SmtpServer server({.tls = test::SmtpServer::Tls::Implicit, .user = u"jan"_s, .password = password, .mode = u"stall-data"_s});
    ASSERT_EQ(setServer(server.port(), password).code, 0);
    const QTemporaryDir tmp;
    const QStringList before = files(dir.path());
    auto tool = test::startTool(registry.path(), {u"email"_s, folder(), u"test"_s, u"1"_s, u"klant@voorbeeld.nl"_s},
                                u"export TMPDIR="_s + tmp.path());
    ASSERT_TRUE(server.waitForStall());
    QStringList open;
    for (const QFileInfo &fd : QDir(u"/proc/%1/fd"_s.arg(tool->processId())).entryInfoList(QDir::AllEntries | QDir::System))
        open << fd.symLinkTarget();
    EXPECT_EQ(open.filter(u" (deleted)"_s).size(), 1) << open.join(u'\n').toStdString();
    tool->kill();
    EXPECT_EQ(test::finish(*tool).code, -1);
    EXPECT_EQ(server.received(), 0);
    EXPECT_EQ(files(tmp.path()), QStringList());
    QStringList after = files(dir.path());
    after.removeIf([](const QString &file) { return file.contains(u"/kvpro-"); }); // the log of the send
    EXPECT_EQ(after, before);
}

// A registry that takes no byte (a file-size limit of 0 with SIGXFSZ ignored: every write fails
// as on a full disk; as root, permissions would not stop it): the values are refused whole and
// the file stays as it was, with nothing beside it.
TEST_F(EmailToolTest, ServerSettingsOnAFullDiskLeaveTheRegistry)
{
    ASSERT_EQ(setServer(587, password).code, 0);
    const QByteArray stored = fileBytes(registry.path());
    const QStringList before = files(dir.path());
    const test::ToolResult full = test::runTool(registry.path(), {u"email"_s, folder(), u"server"_s, u"server=ander.voorbeeld.nl"_s,
                                                                  u"poort=465"_s}, u"ulimit -f 0; trap '' XFSZ"_s);
    EXPECT_EQ(full.code, 2);
    EXPECT_EQ(full.err, ServerNietOpgeslagen + u'\n');
    EXPECT_EQ(fileBytes(registry.path()), stored);
    EXPECT_EQ(files(dir.path()), before);
}

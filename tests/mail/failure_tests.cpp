#include "core/messages/errorreport.h"
#include "mail/smtpsend.h"
#include "mail/testemail.h"
#include "mailfixture.h"
#include "support/scripted_dialogs.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::SmtpServer;

constexpr char Operation[] = "frmEmailServerPopupTestEmail: Versturen";
constexpr char Password[] = "Zeer-Geheim-99";

EmailTemplate sjabloon()
{
    EmailTemplate t;
    t.CodeNr = QStringLiteral("3");
    t.EmailSender = QStringLiteral("afzender@voorbeeld.nl");
    t.EmailBCC = QStringLiteral("archief@voorbeeld.nl");
    t.Subject = QStringLiteral("Test");
    t.Content = QStringLiteral("Hallo");
    return t;
}

// What could give the password away: itself and its base64 in the AUTH PLAIN and LOGIN forms.
QList<QByteArray> passwordForms()
{
    return {Password, QByteArray(Password).toBase64(), QByteArray(QByteArray("\0jan\0", 5) + Password).toBase64()};
}

TEST(SendFailure, SaysWhatWentWrongAndSendsNothing)
{
    enum Server { None, Plain, Implicit, LocalhostOnly };
    const int closed = test::closedPort();
    const struct {
        const char *name;
        Server server;
        const char *mode; // "ntlm": a normal server that only offers NTLM, asked for by the settings
        const char *host;
        bool implicitTls, trustTestCa;
        const char *password;
        int number; // negative: libcurl's send or receive error, whichever the connection hits first
        QString message; // %1 the port
    } cases[] = {
        {"unknown host", None, "", "mail.beheer.invalid", false, true, Password, 6,
         "De e-mailserver mail.beheer.invalid is niet gevonden."},
        {"closed port", None, "", "127.0.0.1", false, true, Password, 7,
         "De e-mailserver 127.0.0.1 weigert de verbinding op poort %1."},
        {"wrong password", Plain, "normal", "127.0.0.1", false, true, "fout", 535,
         "De e-mailserver 127.0.0.1 heeft de gebruikersnaam of het wachtwoord geweigerd.\n"
         "Antwoord van de server: 535 5.7.8 Authentication credentials invalid"},
        {"wrong NTLM password", Plain, "ntlm", "127.0.0.1", false, true, "fout", 535,
         "De e-mailserver 127.0.0.1 heeft de gebruikersnaam of het wachtwoord geweigerd.\n"
         "Antwoord van de server: 535 5.7.8 Authentication credentials invalid"},
        {"untrusted certificate", Implicit, "normal", "localhost", true, false, Password, 60,
         "De beveiligde verbinding met localhost is mislukt: het certificaat van de server wordt niet vertrouwd."},
        {"other host name", LocalhostOnly, "normal", "127.0.0.1", true, true, Password, 60,
         "De beveiligde verbinding met 127.0.0.1 is mislukt: het certificaat van de server is voor een andere "
         "naam uitgegeven."},
        {"SSL on a plain port", Plain, "normal", "127.0.0.1", true, true, Password, 35,
         "De beveiligde verbinding met 127.0.0.1 is mislukt: de server spreekt op deze poort geen SSL."},
        {"plain on an implicit port", Implicit, "normal", "localhost", false, true, Password, 28,
         "De e-mailserver localhost heeft niet binnen 2 seconden geantwoord."},
        {"silent server", Plain, "silent", "127.0.0.1", false, true, Password, 28,
         "De e-mailserver 127.0.0.1 heeft niet binnen 2 seconden geantwoord."},
        {"refused copy address", Plain, "reject-rcpt", "127.0.0.1", false, true, Password, 550,
         "De e-mailserver 127.0.0.1 weigert het adres archief@voorbeeld.nl.\n"
         "Antwoord van de server: 550 5.1.1 <archief@voorbeeld.nl>: Recipient address rejected: User unknown"},
        {"dropped in DATA", Plain, "drop-data", "127.0.0.1", false, true, Password, -1,
         "De e-mailserver 127.0.0.1 heeft de verbinding verbroken.\n"
         "Antwoord van de server: 354 End data with <CR><LF>.<CR><LF>"},
        {"stalled in DATA", Plain, "stall-data", "127.0.0.1", false, true, Password, 28,
         "De e-mailserver 127.0.0.1 heeft niet binnen 2 seconden geantwoord.\n"
         "Antwoord van de server: 354 End data with <CR><LF>.<CR><LF>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.trustTestCa)
            qputenv("BEHEER_SMTP_CAFILE", test::certificates().caFile.toUtf8());
        else
            qunsetenv("BEHEER_SMTP_CAFILE");
        const bool ntlm = qstrcmp(c.mode, "ntlm") == 0;
        std::optional<SmtpServer> server;
        if (c.server != None)
            server.emplace(SmtpServer::Options{c.server == Plain ? SmtpServer::Tls::None : SmtpServer::Tls::Implicit,
                                               c.server == LocalhostOnly, QStringLiteral("jan"),
                                               QString::fromLatin1(Password),
                                               ntlm ? QStringLiteral("normal") : QString::fromLatin1(c.mode),
                                               {QStringLiteral("archief@voorbeeld.nl")},
                                               ntlm ? QStringList{QStringLiteral("NTLM")} : QStringList()});
        ServerSettings settings;
        settings.server = QString::fromLatin1(c.host);
        settings.port = server ? server->port() : c.server == None && settings.server == u"127.0.0.1" ? closed : 25;
        settings.implicitTls = c.implicitTls;
        settings.userName = QStringLiteral("jan");
        settings.auth = ntlm ? ServerSettings::Auth::Ntlm : ServerSettings::Auth::UserPassword;
        settings.password = QString::fromLatin1(c.password);
        settings.timeoutSeconds = 2;
        test::MailContext mail;
        test::ScriptedDialogs dialogs;
        mail.ctx.dialogs = &dialogs;

        EXPECT_FALSE(tryOperation(mail.ctx, QString::fromLatin1(Operation), [&] {
            sendTestEmail(mail.ctx, settings, sjabloon(), {}, QStringLiteral("klant@voorbeeld.nl"));
        }));
        const QString message = c.message.contains(u"%1") ? c.message.arg(settings.port) : c.message;
        int number = c.number;
        if (number < 0)
            for (int sendOrReceive : {55, 56})
                if (dialogs.errors.value(0).contains(QStringLiteral("Fout %1 ").arg(sendOrReceive)))
                    number = sendOrReceive;
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_EQ(dialogs.errors[0], message + QStringLiteral("\n\nFout %1 bij: %2").arg(number).arg(Operation));
        const QStringList log = mail.logTexts();
        ASSERT_GE(log.size(), 3);
        EXPECT_EQ(log.mid(log.size() - 3),
                  QStringList({"TEST-EMAIL: + Verzenden     : Nu versturen",
                               QStringLiteral("SYSTEEM   : + Actie         : ") + Operation,
                               "ERROR     :  + Error        : " + QString::number(number) + " -> " + message}));
        if (server) {
            EXPECT_EQ(server->received(), 0);
        }
        for (const QByteArray &secret : passwordForms()) {
            EXPECT_FALSE(mail.logBytes().contains(secret));
            EXPECT_FALSE(dialogs.errors[0].toUtf8().contains(secret));
        }
    }
}

TEST(SendFailure, RefusedBeforeAnythingIsLogged)
{
    ServerSettings settings;
    settings.server = QStringLiteral("mail.voorbeeld.nl");
    EmailTemplate t = sjabloon();
    const struct {
        const char *typed;
        bool server, sender;
        const char *refusal;
    } cases[] = {
        {"  Klant@Voorbeeld.NL ", true, true, ""},
        {"klant@voorbeeld", true, true, "Vul een geldig e-mailadres in."},
        {"klant voorbeeld.nl", true, true, "Vul een geldig e-mailadres in."},
        {"a@b.nl; c@d.nl", true, true, "Vul een geldig e-mailadres in."},
        {"", true, true, "Vul een geldig e-mailadres in."},
        {"klant@voorbeeld.nl", false, true, "Er is nog geen e-mail server ingesteld."},
        {"klant@voorbeeld.nl", false, false, "Er is nog geen e-mail server ingesteld."},
        {"klant@voorbeeld.nl", true, false, "Dit sjabloon heeft nog geen e-mail afzender."},
    };
    for (const auto &c : cases) {
        settings.server = c.server ? QStringLiteral("mail.voorbeeld.nl") : QStringLiteral(" ");
        t.EmailSender = c.sender ? QStringLiteral("afzender@voorbeeld.nl") : QString();
        EXPECT_EQ(testEmailRefusal(settings, t, typedAddress(QString::fromUtf8(c.typed))), QString::fromUtf8(c.refusal))
            << c.typed;
    }
}

// A line break in a template's sender, a subject or a copy address starts no header of its own
// in the message and no command of its own in the SMTP session.
TEST(SendFailure, LineBreaksStartNoHeaderAndNoCommand)
{
    MessageContent content;
    content.from = fromHeader(QStringLiteral("afzender@voorbeeld.nl"), QStringLiteral("Jan\r\nBcc: stil@voorbeeld.nl"));
    content.to = QStringLiteral("klant@voorbeeld.nl\nX-Extra: 1");
    content.subject = QStringLiteral("Factuur\r\nX-Prioriteit: 1");
    content.html = QStringLiteral("<p>Hallo</p>");
    content.date = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    const MessageFile message = writeMessage(content);
    QFile file;
    ASSERT_TRUE(file.open(message.file.get(), QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    const QByteArray head = written.left(written.indexOf("\r\n\r\n"));
    for (const char *header : {"\nBcc:", "\nX-Extra:", "\nX-Prioriteit:"})
        EXPECT_FALSE(head.contains(header)) << header;
    EXPECT_TRUE(head.contains("From: afzender@voorbeeld.nl(Jan  Bcc: stil@voorbeeld.nl)\r\n")) << head.toStdString();

    ServerSettings settings;
    settings.server = QStringLiteral("127.0.0.1");
    settings.port = 9;
    try {
        sendMessage(settings, {QStringLiteral("afzender@voorbeeld.nl"), {QStringLiteral("archief@voorbeeld.nl>\r\nRCPT TO:<ander@voorbeeld.nl")}},
                    message);
        ADD_FAILURE() << "sent";
    } catch (const SendError &e) {
        EXPECT_EQ(e.description(), QStringLiteral("Het e-mailadres 'archief@voorbeeld.nl>  RCPT TO:<ander@voorbeeld.nl' bevat een "
                                                  "regeleinde of een ander stuurteken."));
    }
}

} // namespace
} // namespace kv

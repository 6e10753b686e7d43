#include "core/jobs/progress.h"
#include "mail/mimemessage.h"
#include "mail/smtpsend.h"
#include "mail/testemail.h"
#include "mailfixture.h"

#include <QJsonArray>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::header;
using test::SmtpServer;

class SendTest : public testing::Test {
protected:
    void SetUp() override
    {
        qputenv("BEHEER_SMTP_CAFILE", test::certificates().caFile.toUtf8());
        QDir(mail.folder.path()).mkpath(QStringLiteral("Afbeeldingen"));
        logo = mail.write(QStringLiteral("Afbeeldingen/Logo.png"), randomBytes(3000));
        pdf = mail.write(QStringLiteral("factuur.pdf"), randomBytes(200000));
        sheet = mail.write(QStringLiteral("prijslijst.xlsx"), randomBytes(5000));
    }

    static QByteArray randomBytes(int size)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char &b : bytes)
            b = char(QRandomGenerator::global()->bounded(256));
        return bytes;
    }

    EmailTemplate sjabloon() const
    {
        EmailTemplate t;
        t.CodeNr = QStringLiteral("7");
        t.Sender = QStringLiteral("Korvenal Test");
        t.EmailSender = QStringLiteral("afzender@voorbeeld.nl");
        t.EmailBCC = QStringLiteral(" kopie@voorbeeld.nl; archief@voorbeeld.nl,");
        t.Subject = QStringLiteral("Factuur %factuurnr% voor %emailadres%");
        t.Content = QStringLiteral("<p>%directmailnaam%</p>\r\n<p>Bijgaand  de   factuur %FactuurNummer% (%relatienummer%).</p>"
                                   "<img src=\"cid:%afbeeldingen\\LOGO.png%\"><img src=\"cid:%weg.png%\">");
        t.Attachments = {pdf, QStringLiteral("C:\\Documenten\\weg.pdf"), QStringLiteral("prijslijst.xlsx")};
        return t;
    }

    test::MailContext mail;
    QString logo, pdf, sheet;
};

QByteArray partBytes(const QJsonObject &part)
{
    return test::fileBytes(part[u"file"].toString());
}

// Every way to the server: TLS from the start, STARTTLS, plain; with and without AUTH.
TEST_F(SendTest, ReachesTheServerEveryWay)
{
    using Auth = ServerSettings::Auth;
    const struct {
        SmtpServer::Tls tls;
        const char *host;
        bool implicitTls;
        bool serverAuth;
        const char *onlyMechanism;
        Auth auth;
        const char *tlsUsed, *mechanism, *user;
    } cases[] = {
        {SmtpServer::Tls::Implicit, "localhost", true, true, nullptr, Auth::UserPassword, "implicit", "PLAIN", "jan"},
        {SmtpServer::Tls::StartTls, "127.0.0.1", false, true, nullptr, Auth::UserPassword, "starttls", "PLAIN", "jan"},
        {SmtpServer::Tls::None, "127.0.0.1", false, true, nullptr, Auth::UserPassword, "none", "PLAIN", "jan"},
        {SmtpServer::Tls::Implicit, "127.0.0.1", true, true, "LOGIN", Auth::UserPassword, "implicit", "LOGIN", "jan"},
        // The server proves the NTLMv2 answer against the password.
        {SmtpServer::Tls::StartTls, "localhost", false, true, "NTLM", Auth::Ntlm, "starttls", "NTLM", "jan"},
        // "1" sends without AUTH although a user is stored and the server offers it.
        {SmtpServer::Tls::StartTls, "localhost", false, true, nullptr, Auth::Anonymous, "starttls", nullptr, nullptr},
        {SmtpServer::Tls::None, "localhost", false, false, nullptr, Auth::UserPassword, "none", nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.tlsUsed) + " " + c.host + " auth " + std::to_string(int(c.auth)));
        SmtpServer server({c.tls, false, c.serverAuth ? QStringLiteral("jan") : QString(), QStringLiteral("geheim wachtwoord"),
                           QStringLiteral("normal"), {}, c.onlyMechanism ? QStringList{c.onlyMechanism} : QStringList()});
        ServerSettings settings = test::settingsFor(server, QString::fromLatin1(c.host), c.implicitTls);
        settings.auth = c.auth;
        if (c.serverAuth) {
            settings.userName = QStringLiteral("jan");
            settings.password = QStringLiteral("geheim wachtwoord");
        }
        sendTestEmail(mail.ctx, settings, sjabloon(), QStringLiteral("260042"), QStringLiteral("klant@voorbeeld.nl"));
        ASSERT_EQ(server.received(), 1);
        const QJsonObject message = server.message(1);
        EXPECT_EQ(message[u"tls"].toString(), QString::fromLatin1(c.tlsUsed));
        EXPECT_EQ(message[u"mechanism"].toString(), QString::fromLatin1(c.mechanism));
        EXPECT_EQ(message[u"user"].toString(), QString::fromLatin1(c.user));
        EXPECT_EQ(message[u"mail_from"].toString(), u"afzender@voorbeeld.nl");
        EXPECT_EQ(message[u"rcpt_tos"].toArray(),
                  QJsonArray({"klant@voorbeeld.nl", "kopie@voorbeeld.nl", "archief@voorbeeld.nl"}));
    }
}

TEST_F(SendTest, MessageAsTheTemplateSaysAndTheLogInOrder)
{
    SmtpServer server({SmtpServer::Tls::Implicit, false, QStringLiteral("jan"), QStringLiteral("geheim")});
    ServerSettings settings = test::settingsFor(server, QStringLiteral("localhost"), true);
    settings.userName = QStringLiteral("jan");
    settings.password = QStringLiteral("geheim");
    EmailTemplate t = sjabloon();
    t.ReturnReceipt = true;
    t.Disposition = true;
    sendTestEmail(mail.ctx, settings, t, QStringLiteral("260042"), QStringLiteral("klant@voorbeeld.nl"));
    ASSERT_EQ(server.received(), 1);
    const QJsonObject message = server.message(1);

    const struct {
        const char *name, *value;
    } headers[] = {
        {"From", "afzender@voorbeeld.nl(Korvenal Test)"},
        {"To", "klant@voorbeeld.nl"},
        {"Subject", "Factuur 260042 voor klant@voorbeeld.nl"},
        {"Date", "Mon, 07 Dec 2026 14:05:09 +0100"},
        {"Return-Receipt-To", "afzender@voorbeeld.nl"},
        {"Disposition-Notification-To", "afzender@voorbeeld.nl"},
        {"Bcc", ""},
    };
    for (const auto &h : headers)
        EXPECT_EQ(header(message, QString::fromLatin1(h.name)), QString::fromUtf8(h.value)) << h.name;
    EXPECT_FALSE(server.raw(1).contains("archief@")) << "a copy address is envelope only";

    EXPECT_EQ(message[u"structure"].toString(),
              u"multipart/mixed[multipart/alternative[text/plain,multipart/related[text/html,image/png]],"
              u"application/pdf,application/vnd.openxmlformats-officedocument.spreadsheetml.sheet]");
    const QJsonArray parts = message[u"parts"].toArray();
    ASSERT_EQ(parts.size(), 5);
    EXPECT_EQ(parts[0][u"text"].toString(), u"Geachte heer of mevrouw Achternaam,\nBijgaand de factuur 260042 (20261207).\n");
    EXPECT_EQ(parts[1][u"charset"].toString(), u"utf-8");
    EXPECT_EQ(parts[1][u"encoding"].toString(), u"quoted-printable");
    EXPECT_EQ(parts[1][u"text"].toString(),
              u"<p>Geachte heer of mevrouw Achternaam,</p><p>Bijgaand de factuur 260042 (20261207).</p>"
              u"<img src=\"cid:20261207140509-01@beheer\"><img src=\"cid:%weg.png%\">");
    EXPECT_EQ(parts[2][u"content_id"].toString(), u"<20261207140509-01@beheer>");
    EXPECT_EQ(parts[2][u"disposition"].toString(), u"inline");
    const struct {
        int part;
        QString path, name;
    } files[] = {{2, logo, QStringLiteral("Logo.png")},
                 {3, pdf, QStringLiteral("factuur.pdf")},
                 {4, sheet, QStringLiteral("prijslijst.xlsx")}};
    for (const auto &f : files) {
        QFile original(f.path);
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        EXPECT_EQ(partBytes(parts[f.part].toObject()), original.readAll()) << f.name.toStdString();
        EXPECT_EQ(parts[f.part][u"filename"].toString(), f.name);
        EXPECT_EQ(parts[f.part][u"encoding"].toString(), u"base64");
    }

    EXPECT_EQ(mail.logTexts(), QStringList({
                                   "TEST-EMAIL: Begin           : E-mailbericht opmaken",
                                   "TEST-EMAIL: + Sjabloon      : Gevonden, ID: 7",
                                   "TEST-EMAIL: + Body          : ",
                                   "TEST-EMAIL: + Server        : localhost",
                                   "TEST-EMAIL: + Port          : " + QString::number(server.port()),
                                   "TEST-EMAIL: + SSL           : Ja",
                                   "TEST-EMAIL: + Auth          : Basic",
                                   "TEST-EMAIL: + Timeout       : 30 seconden",
                                   "TEST-EMAIL: + Headers       : Opslaan in CDO",
                                   "TEST-EMAIL: + Headers       : Opgeslagen in CDO",
                                   "TEST-EMAIL: + Afbeeldingen  : Toevoegen indien aanwezig",
                                   "TEST-EMAIL: + Afbeeldingen  : 20261207140509-01@beheer cid toegevoegd",
                                   "TEST-EMAIL: + Afbeeldingen  : Toegevoegd",
                                   "TEST-EMAIL: + Attachments   : Toevoegen",
                                   "TEST-EMAIL: + Attachment 1  : " + pdf,
                                   "TEST-EMAIL: + Attachment 3  : prijslijst.xlsx",
                                   "TEST-EMAIL: + Attachments   : Toegevoegd",
                                   "TEST-EMAIL: + Verzenden     : Nu versturen",
                                   "TEST-EMAIL: + Verzenden     : Nu verzonden",
                               }));
    EXPECT_FALSE(mail.logBytes().contains("geheim"));
}

// A file's base64 is written by our own encoder, 57 KB at a time: lines of 76 characters and
// CR LF, padded at the end, whatever the size against a line and a block.
TEST_F(SendTest, FilesInBase64LinesAcrossBlocks)
{
    constexpr int block = 57 * 1024;
    const int sizes[] = {0, 1, 2, 3, 56, 57, 58, block - 1, block, block + 1, 3 * block + 2};
    MessageContent content;
    QList<QByteArray> bytes;
    for (int size : sizes) {
        bytes << randomBytes(size);
        content.attachments << mail.write(QStringLiteral("bijlage%1.pdf").arg(size), bytes.last());
    }
    const MessageFile message = writeMessage(content);
    QFile file;
    ASSERT_TRUE(file.open(message.file.get(), QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_EQ(written.size(), message.size);
    EXPECT_EQ(written.count('\n'), written.count("\r\n"));
    for (int n = 0; n < bytes.size(); ++n) {
        QByteArray lines;
        const QByteArray base64 = bytes[n].toBase64();
        for (qsizetype at = 0; at < base64.size(); at += 76)
            lines += base64.mid(at, 76) + "\r\n";
        // The part's headers name the file; its body runs from the blank line to the boundary.
        const qsizetype body = written.indexOf("\r\n\r\n", written.indexOf(QByteArray("bijlage" + QByteArray::number(sizes[n]) + ".pdf"))) + 4;
        EXPECT_EQ(written.mid(body, written.indexOf("\r\n--", body) - body), lines) << sizes[n];
    }
}

// Bodies that trip up hand-made MIME: long lines of non-ASCII text, dots at the start of
// encoded lines, no tags at all, names outside ASCII.
TEST_F(SendTest, BodiesArriveAsWritten)
{
    QString dots;
    for (int n = 0; n < 90; ++n)
        dots += QString(n, u'a') + u'.';
    const struct {
        QString content, sender, html, from;
        QString subject = QStringLiteral("Factuur %factuurnr% voor %emailadres%");
        QString subjectSent = QStringLiteral("Factuur 1 voor klant@voorbeeld.nl");
    } cases[] = {
        {QString(5000, u'é'), QStringLiteral("Korvenal"), QString(5000, u'é'), QStringLiteral("afzender@voorbeeld.nl(Korvenal)")},
        {u"<p>" + dots + u"</p>", {}, u"<p>" + dots + u"</p>", QStringLiteral("afzender@voorbeeld.nl")},
        {QStringLiteral("Regel een\r\nRegel  twee"), QStringLiteral("Gérard Müller"), QStringLiteral("Regel een<br />Regel twee"),
         QStringLiteral("afzender@voorbeeld.nl(Gérard Müller)"),
         QStringLiteral("Prijsopgave crème brûlée à € 4,50 – %factuurnr% – ") + QString(80, u'ß'),
         QStringLiteral("Prijsopgave crème brûlée à € 4,50 – 1 – ") + QString(80, u'ß')},
    };
    SmtpServer server({});
    const ServerSettings settings = test::settingsFor(server, QStringLiteral("127.0.0.1"), false);
    int number = 0;
    for (const auto &c : cases) {
        EmailTemplate t = sjabloon();
        t.Content = c.content;
        t.Sender = c.sender;
        t.Subject = c.subject;
        sendTestEmail(mail.ctx, settings, t, QStringLiteral("1"), QStringLiteral("klant@voorbeeld.nl"));
        ASSERT_EQ(server.received(), ++number);
        const QJsonObject message = server.message(number);
        EXPECT_EQ(message[u"parts"][1][u"text"].toString(), c.html);
        EXPECT_EQ(header(message, QStringLiteral("From")), c.from);
        EXPECT_EQ(header(message, QStringLiteral("Subject")), c.subjectSent);
        for (const QByteArray &line : server.raw(number).split('\n'))
            EXPECT_LE(line.size(), 998);
    }
    EXPECT_TRUE(server.raw(2).contains("\r\n.")) << "no encoded line started with a dot";
}

// A screen's busy panel: hears the steps and the bytes sent, and may stop the send.
struct RecordedProgress : Progress {
    QStringList steps;
    int lastPercent = -1;
    QString stopAt;
    void step(const QString &text) override { steps << text; }
    void percent(int value) override { lastPercent = value; }
    bool stopRequested() override { return !stopAt.isEmpty() && steps.contains(stopAt); }
};

TEST_F(SendTest, ProgressHearsEveryStepAndMayStop)
{
    const QStringList allSteps{"E-mail opmaken...",          "E-mail headers aanmaken...",     "E-mail authenticatie toevoegen...",
                               "E-mail headers opslaan...",  "E-mail notificaties toevoegen...", "E-mail afbeeldingen toevoegen...",
                               "E-mail bijlagen toevoegen...", "E-mail versturen...",          "E-mail verzonden..."};
    SmtpServer server({});
    const ServerSettings settings = test::settingsFor(server, QStringLiteral("127.0.0.1"), false);
    RecordedProgress sent;
    sendTestEmail(mail.ctx, settings, sjabloon(), {}, QStringLiteral("klant@voorbeeld.nl"), &sent);
    EXPECT_EQ(sent.steps, allSteps);
    EXPECT_EQ(sent.lastPercent, 100);
    EXPECT_EQ(server.received(), 1);

    RecordedProgress stopped;
    stopped.stopAt = QStringLiteral("E-mail versturen...");
    try {
        sendTestEmail(mail.ctx, settings, sjabloon(), {}, QStringLiteral("klant@voorbeeld.nl"), &stopped);
        ADD_FAILURE() << "sent although stopped";
    } catch (const SendError &e) {
        EXPECT_EQ(e.description(), u"Het versturen is afgebroken.");
        EXPECT_EQ(e.number(), 42); // CURLE_ABORTED_BY_CALLBACK
    }
    EXPECT_EQ(stopped.steps, allSteps.mid(0, 8));
    EXPECT_EQ(server.received(), 1);
}

} // namespace
} // namespace kv

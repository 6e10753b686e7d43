#include "mail/testemail.h"

#include "core/context.h"
#include "core/jobs/progress.h"
#include "core/log/schrijflog.h"
#include "mail/body.h"
#include "mail/mimemessage.h"
#include "mail/pictures.h"
#include "mail/smtpsend.h"

#include <QRegularExpression>

namespace kv {
namespace {

class TestLog {
public:
    TestLog(const Context &ctx, Progress *progress)
        : m_ctx(ctx)
        , m_progress(progress)
    {
    }

    void operator()(QStringView label, const QString &value) const
    {
        SchrijfLog(m_ctx, PadRechts(QStringLiteral("TEST-EMAIL"), 10) + label + value);
    }

    void step(const QString &text) const
    {
        if (m_progress)
            m_progress->step(text);
    }

private:
    const Context &m_ctx;
    Progress *m_progress;
};

// Server, port, TLS, authentication and time limit, as the log has always named them.
void logConnection(const TestLog &log, const ServerSettings &settings)
{
    log.step(QStringLiteral("E-mail headers aanmaken..."));
    log(u": + Server        : ", settings.server);
    log(u": + Port          : ", QString::number(settings.port));
    log.step(QStringLiteral("E-mail authenticatie toevoegen..."));
    if (settings.implicitTls)
        log(u": + SSL           : ", QStringLiteral("Ja"));
    else
        log(u": + sslt          : ", QStringLiteral("Nee"));
    log(u": + Auth          : ", authLogName(settings.auth));
    log(u": + Timeout       : ", QString::number(settings.timeoutSeconds) + QStringLiteral(" seconden"));
}

// The pictures the body refers to and the template's attachments whose files exist; a missing
// file is left out without a word.
void addFiles(const TestLog &log, MessageContent &content, const std::vector<Picture> &pictures,
              const EmailTemplate &sjabloon, const QString &dataPad)
{
    log.step(QStringLiteral("E-mail afbeeldingen toevoegen..."));
    log(u": + Afbeeldingen  : ", QStringLiteral("Toevoegen indien aanwezig"));
    for (const Picture &picture : pictures)
        log(u": + Afbeeldingen  : ", picture.contentId + QStringLiteral(" cid toegevoegd"));
    content.pictures = pictures;
    log(u": + Afbeeldingen  : ", QStringLiteral("Toegevoegd"));

    log.step(QStringLiteral("E-mail bijlagen toevoegen..."));
    log(u": + Attachments   : ", QStringLiteral("Toevoegen"));
    for (size_t slot = 0; slot < sjabloon.Attachments.size(); ++slot) {
        const QString file = findTemplateFile(sjabloon.Attachments[slot], dataPad);
        if (file.isEmpty())
            continue;
        log(QStringLiteral(": + Attachment %1  : ").arg(slot + 1), sjabloon.Attachments[slot]);
        content.attachments << file;
    }
    log(u": + Attachments   : ", QStringLiteral("Toegevoegd"));
}

} // namespace

QString typedAddress(const QString &typed)
{
    return typed.trimmed().toLower();
}

bool isMailAddress(const QString &address)
{
    static const QRegularExpression form(QStringLiteral("^[^@\\s;,<>()\"]+@[^@\\s;,<>()\".]+(\\.[^@\\s;,<>()\".]+)+$"));
    return form.match(address).hasMatch();
}

QString testEmailRefusal(const ServerSettings &settings, const EmailTemplate &sjabloon, const QString &address)
{
    if (!isMailAddress(address))
        return QStringLiteral("Vul een geldig e-mailadres in.");
    if (settings.server.trimmed().isEmpty())
        return QStringLiteral("Er is nog geen e-mail server ingesteld.");
    if (sjabloon.EmailSender.trimmed().isEmpty())
        return QStringLiteral("Dit sjabloon heeft nog geen e-mail afzender.");
    return {};
}

QString testEmailSent(const QString &address)
{
    return QStringLiteral("Het e-mailbericht is verzonden naar ") + address;
}

void sendTestEmail(const Context &ctx, const ServerSettings &settings, const EmailTemplate &sjabloon,
                   const QString &factuurNr, const QString &address, Progress *progress)
{
    const TestLog log(ctx, progress);
    log.step(QStringLiteral("E-mail opmaken..."));
    log(u": Begin           : ", QStringLiteral("E-mailbericht opmaken"));
    log(u": + Sjabloon      : ", QStringLiteral("Gevonden, ID: ") + sjabloon.CodeNr);
    const MergeValues merge{factuurNr, address, ctx.today()};
    const EmbeddedPictures body = embedPictures(prepareBody(sjabloon.Content), ctx.DataPad, ctx.now());
    MessageContent content;
    content.html = mergeFields(body.html, merge);
    content.subject = mergeFields(sjabloon.Subject, merge);
    content.date = ctx.now();
    log(u": + Body          : ", {});

    logConnection(log, settings);
    log.step(QStringLiteral("E-mail headers opslaan..."));
    log(u": + Headers       : ", QStringLiteral("Opslaan in CDO"));
    content.from = fromHeader(sjabloon.EmailSender, sjabloon.Sender);
    content.to = address;
    log(u": + Headers       : ", QStringLiteral("Opgeslagen in CDO"));
    log.step(QStringLiteral("E-mail notificaties toevoegen..."));
    if (sjabloon.ReturnReceipt)
        content.returnReceiptTo = sjabloon.EmailSender;
    if (sjabloon.Disposition)
        content.dispositionNotificationTo = sjabloon.EmailSender;
    addFiles(log, content, body.pictures, sjabloon, ctx.DataPad);
    const MessageFile message = writeMessage(content);

    log.step(QStringLiteral("E-mail versturen..."));
    log(u": + Verzenden     : ", QStringLiteral("Nu versturen"));
    sendMessage(settings, {sjabloon.EmailSender, QStringList{address} + splitAddresses(sjabloon.EmailBCC)}, message, progress);
    log(u": + Verzenden     : ", QStringLiteral("Nu verzonden"));
    log.step(QStringLiteral("E-mail verzonden..."));
}

} // namespace kv

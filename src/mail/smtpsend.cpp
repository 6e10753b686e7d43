#include "mail/smtpsend.h"

#include "core/jobs/progress.h"

#include <curl/curl.h>

#include <functional>
#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

void initCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What the session heard. Of what we said only the RCPT addresses are kept: the other lines
// hold the credentials.
struct Transcript {
    QString reply;        // the last complete answer of the server
    QString refusal;      // the last answer of 400 or more
    int refusalCode = 0;
    QString refusedRecipient; // when that answer was to a RCPT
    QString pending;          // the lines of a multi-line answer read so far
    QString recipient;        // of the RCPT last sent, until another command follows

    void heard(const QString &line)
    {
        pending += pending.isEmpty() ? line : u' ' + line;
        if (line.size() > 3 && line[3] == u'-')
            return; // more lines of the same answer follow
        reply = pending;
        pending.clear();
        const int code = reply.left(3).toInt();
        if (code >= 400) {
            refusal = reply;
            refusalCode = code;
            refusedRecipient = recipient;
        }
    }

    void said(const QString &line)
    {
        recipient.clear();
        if (line.startsWith(u"RCPT TO:", Qt::CaseInsensitive))
            recipient = line.mid(8).remove(u'<').remove(u'>').trimmed();
    }
};

struct Transfer {
    std::FILE *message;
    qint64 size;
    qint64 read = 0; // curl's own count also holds the dots it doubles and the end of DATA
    Progress *progress;
    Transcript transcript;
    char error[CURL_ERROR_SIZE] = {};
    std::function<void(const QString &)> echo = {}; // the conversation shown, when asked for
};

// A line of ours as the connection test shows it: anything but a plain command may carry the
// credentials (AUTH arguments, the LOGIN and NTLM answers) and is masked.
QString shownCommand(const QString &line)
{
    static const QStringList plain{u"EHLO"_s, u"HELO"_s, u"STARTTLS"_s, u"NOOP"_s, u"QUIT"_s, u"RSET"_s};
    const QString verb = line.section(u' ', 0, 0).toUpper();
    if (plain.contains(verb))
        return line;
    if (verb == u"AUTH")
        return u"AUTH "_s + line.section(u' ', 1, 1) + (line.count(u' ') > 1 ? u" ***"_s : QString());
    return u"***"_s;
}

size_t readMessage(char *buffer, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    const size_t read = std::fread(buffer, 1, size * count, transfer->message);
    transfer->read += qint64(read);
    return read == 0 && std::ferror(transfer->message) ? CURL_READFUNC_ABORT : read;
}

int onProgress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto *transfer = static_cast<Transfer *>(user);
    if (!transfer->progress)
        return 0;
    if (transfer->size > 0)
        transfer->progress->percent(int(transfer->read * 100 / transfer->size));
    return transfer->progress->stopRequested() ? 1 : 0;
}

int onTranscript(CURL *, curl_infotype type, char *data, size_t size, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    const QString lines = QString::fromUtf8(data, qsizetype(size));
    if (type == CURLINFO_TEXT && transfer->echo && (lines.startsWith(u"SSL connection using") || lines.contains(u"subject:")
                                                    || lines.contains(u"issuer:") || lines.contains(u"expire date:")))
        transfer->echo(u"* "_s + lines.trimmed());
    if (type != CURLINFO_HEADER_IN && type != CURLINFO_HEADER_OUT)
        return 0;
    for (const QString &line : lines.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (type == CURLINFO_HEADER_IN)
            transfer->transcript.heard(line.trimmed());
        else
            transfer->transcript.said(line);
        if (transfer->echo)
            transfer->echo(type == CURLINFO_HEADER_IN ? u"S: "_s + line.trimmed() : u"C: "_s + shownCommand(line));
    }
    return 0;
}

QString tlsCause(const QString &error)
{
    if (error.contains(u"subject name") || error.contains(u"does not match"))
        return QStringLiteral("het certificaat van de server is voor een andere naam uitgegeven.");
    if (error.contains(u"certificate"))
        return QStringLiteral("het certificaat van de server wordt niet vertrouwd.");
    return QStringLiteral("de server spreekt op deze poort geen SSL.");
}

QString failureText(CURLcode code, const Transfer &transfer, const ServerSettings &settings)
{
    const Transcript &transcript = transfer.transcript;
    if (!transcript.refusedRecipient.isEmpty())
        return QStringLiteral("De e-mailserver %1 weigert het adres %2.").arg(settings.server, transcript.refusedRecipient);
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("De e-mailserver %1 is niet gevonden.").arg(settings.server);
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("De e-mailserver %1 weigert de verbinding op poort %2.").arg(settings.server).arg(settings.port);
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("De e-mailserver %1 heeft niet binnen %2 seconden geantwoord.")
            .arg(settings.server)
            .arg(settings.timeoutSeconds);
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("De e-mailserver %1 heeft de gebruikersnaam of het wachtwoord geweigerd.").arg(settings.server);
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
        return QStringLiteral("De beveiligde verbinding met %1 is mislukt: ").arg(settings.server) +
               tlsCause(QString::fromUtf8(transfer.error));
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("Het versturen is afgebroken.");
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        if (transcript.refusalCode == 0)
            return QStringLiteral("De e-mailserver %1 heeft de verbinding verbroken.").arg(settings.server);
        break;
    default:
        break;
    }
    if (transcript.refusalCode != 0)
        return QStringLiteral("De e-mailserver %1 weigert het bericht.").arg(settings.server);
    return QStringLiteral("Het e-mailbericht kan niet via %1 worden verzonden: %2")
        .arg(settings.server, QString::fromUtf8(curl_easy_strerror(code)));
}

[[noreturn]] void fail(CURLcode code, const Transfer &transfer, const ServerSettings &settings)
{
    const Transcript &transcript = transfer.transcript;
    QString text = failureText(code, transfer, settings);
    const QString answer = transcript.refusalCode != 0 ? transcript.refusal : transcript.reply;
    if (!answer.isEmpty())
        text += u'\n' + QStringLiteral("Antwoord van de server: ") + answer;
    throw SendError(transcript.refusalCode != 0 ? transcript.refusalCode : int(code), text);
}

QByteArray url(const ServerSettings &settings)
{
    const QString host = settings.server.contains(u':') ? u'[' + settings.server + u']' : settings.server;
    return (QString::fromLatin1(settings.implicitTls ? "smtps://" : "smtp://") + host + u':' +
            QString::number(settings.port))
        .toUtf8();
}

struct CurlFree {
    void operator()(CURL *curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

} // namespace

QStringList splitAddresses(const QString &field)
{
    QStringList addresses;
    for (const QString &part : QString(field).replace(u',', u';').split(u';')) {
        const QString address = part.trimmed();
        if (!address.isEmpty())
            addresses << address;
    }
    return addresses;
}

namespace {

// What every session sets: the server, TLS and its checks, the time limits and the login.
void configure(CURL *c, const ServerSettings &settings, Transfer &transfer)
{
    const QByteArray caFile = qgetenv("BEHEER_SMTP_CAFILE");
    curl_easy_setopt(c, CURLOPT_URL, url(settings).constData()); // curl keeps copies of the texts it is given
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, transfer.error);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, onTranscript);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &transfer);
    // STARTTLS whenever the server offers it; implicit TLS by the smtps scheme.
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(settings.implicitTls ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    if (!caFile.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_CAINFO, caFile.constData());
        curl_easy_setopt(c, CURLOPT_CAPATH, nullptr);
    }
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(settings.timeoutSeconds));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(settings.timeoutSeconds));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(settings.timeoutSeconds));
    if (settings.auth != ServerSettings::Auth::Anonymous && !settings.userName.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, settings.userName.toUtf8().constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, settings.password.toUtf8().constData());
        if (settings.auth == ServerSettings::Auth::Ntlm)
            curl_easy_setopt(c, CURLOPT_LOGIN_OPTIONS, "AUTH=NTLM");
    }
}

} // namespace

void sendMessage(const ServerSettings &settings, const Envelope &envelope, const MessageFile &message,
                 Progress *progress)
{
    // A line break in an address would end the SMTP command it is in and start another.
    for (const QString &address : QStringList{envelope.from} + envelope.recipients)
        if (oneLine(address) != address)
            throw SendError(int(CURLE_BAD_FUNCTION_ARGUMENT),
                            QStringLiteral("Het e-mailadres '%1' bevat een regeleinde of een ander stuurteken.").arg(oneLine(address)));
    initCurl();
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    std::unique_ptr<curl_slist, CurlFree> recipients;
    for (const QString &address : envelope.recipients)
        recipients.reset(curl_slist_append(recipients.release(), ('<' + address + '>').toUtf8().constData()));
    Transfer transfer{message.file.get(), message.size, 0, progress, {}};
    CURL *c = curl.get();
    configure(c, settings, transfer);
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, ('<' + envelope.from + '>').toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(c, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(message.size));
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    const CURLcode result = curl_easy_perform(c);
    if (result != CURLE_OK)
        fail(result, transfer, settings);
}

void tryConnection(const ServerSettings &settings, const std::function<void(const QString &)> &heard)
{
    initCurl();
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    Transfer transfer{nullptr, 0, 0, nullptr, {}};
    transfer.echo = heard;
    CURL *c = curl.get();
    configure(c, settings, transfer);
    curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, "NOOP");
    // The answer to NOOP is in the transcript; nothing of it is written anywhere else.
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, +[](char *, size_t size, size_t count, void *) { return size * count; });
    curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L); // QUIT at the end of this session, not later
    const CURLcode result = curl_easy_perform(c);
    curl.reset(); // the QUIT and its answer while the transcript still listens
    if (result != CURLE_OK)
        fail(result, transfer, settings);
}

} // namespace kv

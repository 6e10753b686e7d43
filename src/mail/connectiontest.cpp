#include "mail/connectiontest.h"

#include "core/log/schrijflog.h"
#include "mail/smtpsend.h"

using namespace Qt::StringLiterals;

namespace kv {
namespace {

void log(const Context &ctx, QStringView label, const QString &value)
{
    SchrijfLog(ctx, PadRechts(u"TEST-EMAIL"_s, 10) + label + value);
}

// Whether a line starting so came after line `from` (-1: never, when that line was not there).
bool heard(const QStringList &conversation, QStringView start, qsizetype from = 0)
{
    for (qsizetype i = from; i >= 0 && i < conversation.size(); ++i)
        if (conversation[i].startsWith(start))
            return true;
    return false;
}

// The mix-ups of port and SSL that make most first tries fail, and a password sent in the clear.
QStringList hints(const ServerSettings &settings, const QStringList &conversation, bool tls)
{
    QStringList found;
    if (settings.implicitTls && (settings.port == 587 || settings.port == 25))
        found << u"Poort %1 gebruikt meestal STARTTLS: zet het vinkje voor SSL uit."_s.arg(settings.port);
    if (!settings.implicitTls && settings.port == 465)
        found << u"Poort 465 verwacht meestal SSL vanaf het begin: zet het vinkje voor SSL aan."_s;
    if (!tls && heard(conversation, u"C: AUTH"))
        found << u"Let op: het wachtwoord is zonder versleuteling naar de server gestuurd."_s;
    return found;
}

} // namespace

ConnectionReport testConnection(const Context &ctx, const ServerSettings &settings)
{
    log(ctx, u": Begin           : ", u"Verbinding testen"_s);
    QStringList conversation;
    QString failure;
    try {
        tryConnection(settings, [&](const QString &line) { conversation << line; });
    } catch (const SendError &e) {
        failure = e.description();
    }
    QString tls;
    for (const QString &line : conversation)
        if (line.startsWith(u"* SSL connection using "))
            tls = line.mid(23); // the protocol and cipher
    const bool login = settings.auth != ServerSettings::Auth::Anonymous && !settings.userName.isEmpty();
    const struct {
        QString name;
        bool applies, done;
        QString detail;
    } steps[] = {
        {u"Verbinding met %1 op poort %2"_s.arg(settings.server).arg(settings.port), true, heard(conversation, u"S: 220"), {}},
        {u"Beveiligde verbinding"_s, settings.implicitTls || !tls.isEmpty(), !tls.isEmpty(), tls},
        {u"Aanmelden"_s, login, heard(conversation, u"S: 235"), {}},
        {u"NOOP"_s, true, heard(conversation, u"S: 250", conversation.indexOf(u"C: NOOP"_s)), {}},
    };
    ConnectionReport report;
    bool told = false;
    for (const auto &step : steps) {
        if (step.applies && step.done) {
            report.lines << step.name + u": gelukt"_s + (step.detail.isEmpty() ? QString() : u" ("_s + step.detail + u')');
        } else if (!step.applies || failure.isEmpty()) {
            report.lines << step.name + u": niet gebruikt"_s; // a login the server does not offer is skipped
        } else {
            report.lines << step.name + u": mislukt"_s << failure;
            told = true;
            break;
        }
    }
    if (!failure.isEmpty() && !told)
        report.lines << u"Afsluiten: mislukt"_s << failure;
    report.ok = failure.isEmpty();
    report.lines << QString() << conversation;
    const QStringList found = hints(settings, conversation, !tls.isEmpty());
    if (!found.isEmpty())
        report.lines << QString() << found;
    log(ctx, u": + Afgerond      : ", report.ok ? u"gelukt"_s : failure.section(u'\n', 0, 0));
    return report;
}

} // namespace kv

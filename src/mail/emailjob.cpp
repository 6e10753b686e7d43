#include "mail/emailjob.h"

#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"
#include "core/messages/errorreport.h"
#include "mail/connectiontest.h"
#include "mail/serverform.h"
#include "mail/serversettings.h"
#include "mail/testemail.h"
#include "mail/testorder.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

void listServer(const ServerForm &form)
{
    const auto yes = [](bool on) { return on ? u"ja"_s : u"nee"_s; };
    const QList<std::pair<QString, QString>> lines{
        {u"server"_s, form.server}, {u"poort"_s, form.port}, {u"gebruiker"_s, form.userName},
        {u"wachtwoord"_s, form.password.isEmpty() ? QString() : u"(verborgen)"_s}, {u"ssl"_s, yes(form.ssl)},
        {u"auth"_s, QString::number(form.auth)}, {u"extern"_s, yes(form.externalMailer)},
    };
    for (const auto &[name, value] : lines)
        std::printf("%s\t%s\n", qPrintable(name), value.toUtf8().constData());
}

// Puts one "naam=waarde" into the form; the reason when the value cannot be used.
QString apply(ServerForm &form, const QString &name, const QString &value)
{
    const auto yesNo = [&](bool &flag) {
        if (value != u"ja" && value != u"nee")
            return u"%1 moet ja of nee zijn."_s.arg(name);
        flag = value == u"ja";
        return QString();
    };
    if (name == u"server")
        form.server = value;
    else if (name == u"poort")
        form.port = value;
    else if (name == u"gebruiker")
        form.userName = value;
    else if (name == u"wachtwoord")
        form.password = value == u"-" ? QTextStream(stdin).readLine() : value;
    else if (name == u"ssl")
        return yesNo(form.ssl);
    else if (name == u"extern")
        return yesNo(form.externalMailer);
    else if (name == u"auth" && (value == u"0" || value == u"1" || value == u"2"))
        form.auth = value.toInt();
    else if (name == u"auth")
        return u"auth moet 0, 1 of 2 zijn."_s;
    else
        return u"Onbekende instelling: %1"_s.arg(name);
    return {};
}

int server(JobSession &job, const QStringList &settings)
{
    ServerForm form = loadServerForm(job.registry, job.ctx.AdminCode);
    if (settings.isEmpty()) {
        listServer(form);
        return 0;
    }
    for (const QString &setting : settings) {
        const qsizetype is = setting.indexOf(u'=');
        const QString refusal = is < 0 ? u"Onbekende instelling: %1"_s.arg(setting) : apply(form, setting.left(is), setting.mid(is + 1));
        if (!refusal.isEmpty()) {
            say(refusal);
            return 1;
        }
    }
    const QString refusal = saveServerForm(job.registry, job.ctx.AdminCode, form);
    if (refusal.isEmpty())
        return 0;
    say(refusal);
    return refusal == ServerNietOpgeslagen ? 2 : 1;
}

int test(JobSession &job, const QString &codeNr, const QString &typed)
{
    TestOrder order;
    if (!tryOperation(job.ctx, u"korvenal-admin email test"_s, [&] { order = prepareTestEmail(job.ctx, codeNr, typed); }))
        return 2;
    if (!order.refusal.isEmpty()) {
        say(order.refusal);
        return 1;
    }
    TerminalProgress progress;
    const bool sent = tryOperation(job.ctx, u"korvenal-admin email test"_s, [&] { sendTestEmail(job.ctx, order, &progress); });
    progress.finished();
    if (!sent)
        return progress.stopRequested() ? 130 : 2;
    std::printf("%s\n", qPrintable(testEmailSent(order.address)));
    return 0;
}

int connection(JobSession &job)
{
    const ConnectionReport report = testConnection(job.ctx, readServerSettings(job.registry, job.ctx.AdminCode));
    for (const QString &line : report.lines)
        std::printf("%s\n", line.toUtf8().constData());
    return report.ok ? 0 : 2;
}

} // namespace

int runEmailJob(const QStringList &arguments)
{
    const QString what = arguments.value(1);
    if (!(what == u"server" && arguments.size() >= 2) && !(what == u"verbinding" && arguments.size() == 2)
        && !(what == u"test" && arguments.size() == 4))
        return 64;
    JobSession job(false);
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    if (what == u"verbinding")
        return connection(job);
    return what == u"server" ? server(job, arguments.mid(2)) : test(job, arguments[2], arguments[3]);
}

} // namespace kv

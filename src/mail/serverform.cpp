#include "mail/serverform.h"

#include "core/registry/registry.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

QString flag(bool on)
{
    return on ? u"1"_s : u"0"_s;
}

std::optional<int> portNumber(const QString &typed)
{
    bool number = false;
    const int port = typed.trimmed().toInt(&number);
    return number && port >= 1 && port <= 65535 ? std::optional(port) : std::nullopt;
}

} // namespace

ServerForm loadServerForm(Registry &registry, const QString &adminCode)
{
    const auto value = [&](QStringView name) { return registry.LeesRegistry(RegKeyKorvenal, regNameCodeFirst(adminCode, name)); };
    ServerForm form;
    form.server = value(u"EmailSMTPServer");
    form.port = value(u"EmailSMTPPort");
    form.userName = value(u"EmailSMTPUsername");
    form.password = value(u"EmailSMTPPassword");
    form.ssl = value(u"EmailSMTPSSL") == u"1";
    const QString auth = value(u"EmailAuthMethod");
    form.auth = auth == u"1" ? 1 : auth == u"2" ? 2 : 0;
    form.externalMailer = value(u"EmailExterneMailer") == u"1";
    return form;
}

QString serverFormRefusal(const ServerForm &form)
{
    return portNumber(form.port) ? QString() : PoortBuitenBereik.toString();
}

QString saveServerForm(Registry &registry, const QString &adminCode, const ServerForm &form)
{
    if (QString refusal = serverFormRefusal(form); !refusal.isEmpty())
        return refusal;
    const int port = *portNumber(form.port);
    const auto name = [&](QStringView value) { return regNameCodeFirst(adminCode, value); };
    const bool stored = registry.SchrijfRegistry(RegKeyKorvenal, Registry::Values{
        {name(u"EmailSMTPServer"), form.server.trimmed().toLower()},
        {name(u"EmailSMTPPort"), QString::number(port)},
        {name(u"EmailSMTPUsername"), form.userName.trimmed()},
        {name(u"EmailSMTPPassword"), form.password.trimmed()},
        {name(u"EmailSMTPSSL"), flag(form.ssl)},
        {name(u"EmailAuthMethod"), QString::number(form.auth)},
        {name(u"EmailExterneMailer"), flag(form.externalMailer)},
    });
    return stored ? QString() : ServerNietOpgeslagen.toString();
}

ServerSettings settingsOf(const ServerForm &form)
{
    ServerSettings settings;
    settings.server = form.server.trimmed().toLower();
    settings.port = portNumber(form.port).value_or(0);
    settings.userName = form.userName.trimmed();
    settings.password = form.password.trimmed();
    settings.implicitTls = form.ssl;
    settings.auth = form.auth == 1 ? ServerSettings::Auth::Anonymous
                    : form.auth == 2 ? ServerSettings::Auth::Ntlm
                                     : ServerSettings::Auth::UserPassword;
    return settings;
}

} // namespace kv

#include "mail/serversettings.h"

#include "core/registry/registry.h"

namespace kv {

ServerSettings readServerSettings(Registry &registry, const QString &adminCode)
{
    const auto value = [&](QStringView name) {
        return registry.LeesRegistry(RegKeyKorvenal, regNameCodeFirst(adminCode, name));
    };
    ServerSettings settings;
    settings.server = value(u"EmailSMTPServer");
    settings.port = value(u"EmailSMTPPort").trimmed().toInt();
    settings.userName = value(u"EmailSMTPUsername");
    settings.password = value(u"EmailSMTPPassword");
    settings.implicitTls = value(u"EmailSMTPSSL") == u"1";
    const QString auth = value(u"EmailAuthMethod");
    settings.auth = auth == u"1"   ? ServerSettings::Auth::Anonymous
                    : auth == u"2" ? ServerSettings::Auth::Ntlm
                                   : ServerSettings::Auth::UserPassword;
    return settings;
}

QString authLogName(ServerSettings::Auth auth)
{
    switch (auth) {
    case ServerSettings::Auth::Anonymous:
        return QStringLiteral("Anon");
    case ServerSettings::Auth::Ntlm:
        return QStringLiteral("NTLM");
    case ServerSettings::Auth::UserPassword:
        break;
    }
    return QStringLiteral("Basic");
}

} // namespace kv

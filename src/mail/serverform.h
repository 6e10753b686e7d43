#pragma once

#include "mail/serversettings.h"

#include <QString>

namespace kv {

class Registry;

// The server dialog's fields as the user sees and types them. The same logic serves the dialog
// and `korvenal-admin email <map> server`.
struct ServerForm {
    QString server;
    QString port;
    QString userName;
    QString password;
    bool ssl = false;
    int auth = 0; // the option chosen: 0 name and password, 1 anonymous, 2 NTLM
    bool externalMailer = false;

    bool operator==(const ServerForm &) const = default;
};

// The stored values of administration `adminCode`; an authentication value other than "1" or
// "2" loads as option 0.
ServerForm loadServerForm(Registry &registry, const QString &adminCode);

// Why the typed values cannot be used, or "" when they can.
QString serverFormRefusal(const ServerForm &form);

// Checks the form and stores the seven values in one write: all of them or none. The server is
// trimmed and lower-cased, the port stored as its number. Returns why nothing was stored, or ""
// when everything was.
QString saveServerForm(Registry &registry, const QString &adminCode, const ServerForm &form);

// The settings a connection with the typed values uses (the connection test, before storing);
// a port that is refused above reads as 0.
ServerSettings settingsOf(const ServerForm &form);

inline constexpr QStringView PoortBuitenBereik = u"Het poortnummer moet tussen 1 en 65535 liggen.";
inline constexpr QStringView ServerNietOpgeslagen = u"De instellingen van de e-mailserver konden niet worden opgeslagen.";

} // namespace kv

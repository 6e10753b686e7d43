#pragma once

#include <QString>

namespace kv {

class Registry;

// How the console talks to the administration's outgoing mail server. Kept per user and per
// administration in the registry ("07-EmailSMTPServer" and its six siblings).
struct ServerSettings {
    enum class Auth { UserPassword, Anonymous, Ntlm }; // "0", "1", "2"

    QString server;
    int port = 25;
    QString userName;
    QString password;
    bool implicitTls = false; // "1": TLS from the first byte; "0": STARTTLS when offered
    Auth auth = Auth::UserPassword;
    // Resolve, connect and TLS together, each server answer, and a stalled upload each get this
    // long. Only tests shorten it.
    int timeoutSeconds = 30;
};

// The settings of administration `adminCode` as its server dialog stored them. A port that is
// not a number reads as 0; an authentication value other than "1" or "2" as name and password.
ServerSettings readServerSettings(Registry &registry, const QString &adminCode);

// The authentication as the test message logs it: "Basic", "Anon" or "NTLM".
QString authLogName(ServerSettings::Auth auth);

} // namespace kv

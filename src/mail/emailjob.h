#pragma once

#include <QStringList>

namespace kv {

// korvenal-admin email <map> server [server=... poort=... gebruiker=... wachtwoord=... ssl=ja|nee
// auth=0|1|2 extern=ja|nee]: lists the administration's mail server (the password as
// "(verborgen)"), or changes the values named through the server dialog's logic, all at once;
// "wachtwoord=-" reads the password from standard input.
// korvenal-admin email <map> verbinding: tries the stored server (connect, TLS, login, NOOP,
// QUIT) and prints each step, the conversation and hints.
// korvenal-admin email <map> test <nr> <adres>: sends template <nr> as the test message, with
// the dialog's steps and log lines.
// Returns 0 done (sent); 1 bad input (nothing sent or written); 2 the administration, the
// registry or the mail server failed; 130 stopped by SIGINT or SIGTERM; 64 usage.
int runEmailJob(const QStringList &arguments);

} // namespace kv

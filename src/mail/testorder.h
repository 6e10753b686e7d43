#pragma once

#include "mail/emailtemplate.h"
#include "mail/serversettings.h"

#include <QString>

namespace kv {

class Context;
class Progress;

// Everything one test message needs, read on the session's thread before the send goes to a
// worker (the dialog) or runs in the foreground (the tool).
struct TestOrder {
    QString refusal; // why nothing can be sent; the rest is empty then
    ServerSettings settings;
    EmailTemplate sjabloon;
    QString factuurNr;
    QString address; // as typed, trimmed and lower-cased
};

// Reads template `codeNr`, the server settings and the invoice number, and checks the typed
// address; nothing is logged or sent yet.
TestOrder prepareTestEmail(Context &ctx, const QString &codeNr, const QString &typed);

// Sends what prepareTestEmail read (see sendTestEmail).
void sendTestEmail(const Context &ctx, const TestOrder &order, Progress *progress);

inline constexpr QStringView SjabloonNietGevonden = u"Sjabloon niet gevonden...";

} // namespace kv

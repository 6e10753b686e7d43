#pragma once

#include "mail/emailtemplate.h"
#include "mail/serversettings.h"

#include <QString>

namespace kv {

class Context;
class Progress;

// The address typed in the test dialog as it is used: trimmed and lower-cased.
QString typedAddress(const QString &typed);

// One address: a name, "@", and a domain with a dot inside; no blanks, separators or brackets.
bool isMailAddress(const QString &address);

// Why the test message cannot be sent at all, or empty when it can. Asked before anything is
// logged or sent.
QString testEmailRefusal(const ServerSettings &settings, const EmailTemplate &sjabloon, const QString &address);

// Builds the test message of a template for `address` and sends it, every step logged under
// "TEST-EMAIL" and its status text told to `progress` (which may also stop the send). Blocks:
// a screen runs it in a worker. `factuurNr` is the user record's invoice number for the merge
// fields. Throws SendError when the server fails, std::runtime_error when a file cannot be read.
void sendTestEmail(const Context &ctx, const ServerSettings &settings, const EmailTemplate &sjabloon,
                   const QString &factuurNr, const QString &address, Progress *progress = nullptr);

// What the dialog says when the message went out.
QString testEmailSent(const QString &address);

} // namespace kv

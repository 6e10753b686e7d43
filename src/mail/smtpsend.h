#pragma once

#include "core/db/dberror.h"
#include "mail/mimemessage.h"
#include "mail/serversettings.h"

#include <QString>
#include <QStringList>

#include <functional>


namespace kv {

class Progress;

// A send that failed, in the form every failed operation is logged and shown: the number is
// the server's reply code when the server refused, else libcurl's error code; the description
// says in Dutch what went wrong and, when the server said anything, its last answer.
class SendError : public db::DbError {
public:
    using db::DbError::DbError;
};

// The sender and the recipients as the SMTP session names them; only these get the message,
// whatever its headers say (a BCC address is a recipient without a header).
struct Envelope {
    QString from;
    QStringList recipients;
};

// The addresses of a copy field: split on ";" and ",", blanks trimmed, empty ones left out.
QStringList splitAddresses(const QString &field);

// Sends the message over SMTP. Blocks until
// done: call it off the user-interface thread. `progress`, when given, hears the share of the
// bytes sent and may stop the send. The server's certificate and name are checked against the
// system's CA store, or the file `$BEHEER_SMTP_CAFILE` names. One refused recipient stops the
// whole send. Throws SendError; the password never appears in it.
void sendMessage(const ServerSettings &settings, const Envelope &envelope, const MessageFile &message,
                 Progress *progress = nullptr);

// Connects, logs in as the settings say, sends NOOP and QUIT, and nothing else: whether the
// settings work, before anything is sent with them. `heard` gets every line of the conversation:
// the server's ("S: "), ours ("C: ", anything that may carry the credentials as "***") and what
// TLS agreed ("* "). Blocks; throws SendError like sendMessage.
void tryConnection(const ServerSettings &settings, const std::function<void(const QString &)> &heard);

} // namespace kv

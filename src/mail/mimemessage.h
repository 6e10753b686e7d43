#pragma once

#include "mail/pictures.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <vector>

namespace kv {

// What a message says, ready to be written as MIME.
struct MessageContent {
    QString from;    // the From header as it stands: address + "(" + name + ")"
    QString to;      // one address
    QString subject;
    QString html;    // the body, pictures referred to by "cid:"
    QDateTime date;
    QString returnReceiptTo;           // empty: no such header
    QString dispositionNotificationTo; // empty: no such header
    std::vector<Picture> pictures;
    QStringList attachments; // paths of files that exist
};

// The text with each control character (a line break among them) made a blank: a header value
// or an SMTP address holding a line break would start a header or a command of its own.
QString oneLine(const QString &value);

// "jan@voorbeeld.nl(Jan de Vries)", or the bare address when there is no name. A name outside
// ASCII is written as an encoded word.
QString fromHeader(const QString &address, const QString &name);

// A written message, lines ending in CR LF, in an anonymous temporary file (no name from the
// start: a send that dies leaves nothing behind), positioned at its start.
struct MessageFile {
    struct Close {
        void operator()(std::FILE *file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Close> file;
    qint64 size = 0;
};

// Writes the message. Its shape: mixed[alternative[text, related[html, pictures]],
// attachments], a level with one part left out. Text in UTF-8, the HTML quoted-printable, files
// in base64. Files are read while the message is written, never held whole. Throws
// std::runtime_error when a file cannot be read or the temporary file cannot be written.
MessageFile writeMessage(const MessageContent &content);

} // namespace kv

// The head of an e-mail: whatever the sender's name, the addresses and the subject hold, the
// message carries exactly the headers the console writes, each once, on CR LF lines; and a copy
// field splits into trimmed addresses that split the same way again.
#include "mail/mimemessage.h"
#include "mail/smtpsend.h"
#include "fuzzing.h"

#include <QSet>

using namespace kv;
using namespace Qt::StringLiterals;

namespace {

// The header names of the message's head, continuation lines taken with their header.
QStringList headerNames(std::FILE *file, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    fuzz::require(std::fread(bytes.data(), 1, size_t(size), file) == size_t(size), "the message reads back");
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    fuzz::require(end > 0, "the head ends in an empty line");
    const QByteArray head = bytes.left(end + 2);
    fuzz::require(head.count('\n') == head.count("\r\n") && head.count('\r') == head.count("\r\n"),
                  "the head's lines end in CR LF, and only there", QString::fromUtf8(head));
    QStringList names;
    for (const QByteArray &line : head.split('\n')) {
        if (line.isEmpty() || line.startsWith(' ') || line.startsWith('\t'))
            continue;
        const qsizetype colon = line.indexOf(':');
        fuzz::require(colon > 0, "a header line has a name", QString::fromUtf8(line));
        names << QString::fromLatin1(line.left(colon)).toLower();
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The fields, separated by byte 1: address, name, To, subject, receipt address.
    QStringList fields = fuzz::text(data, size).split(QChar(1));
    fields.resize(5);

    for (const QString &field : fields) {
        const QStringList addresses = splitAddresses(field);
        for (const QString &address : addresses)
            fuzz::require(!address.isEmpty() && address == address.trimmed() && !address.contains(u';')
                              && !address.contains(u','),
                          "an address is trimmed and whole", address);
        fuzz::require(splitAddresses(addresses.join(u';')) == addresses, "addresses split the same again", field);
    }

    MessageContent content;
    content.from = fromHeader(fields[0], fields[1]);
    content.to = fields[2];
    content.subject = fields[3];
    content.returnReceiptTo = fields[4];
    content.html = QStringLiteral("<p>Goedendag</p>");
    content.date = QDateTime(QDate(2026, 12, 8), QTime(9, 30));
    const MessageFile message = writeMessage(content);

    static const QSet<QString> written = {u"from"_s, u"to"_s, u"subject"_s, u"date"_s, u"message-id"_s,
                                          u"mime-version"_s, u"content-type"_s, u"return-receipt-to"_s};
    const QStringList names = headerNames(message.file.get(), message.size);
    for (const QString &name : names)
        fuzz::require(written.contains(name), "no header but the console's own", name + u" in " + fields.join(u" | "));
    fuzz::require(QSet<QString>(names.begin(), names.end()).size() == names.size(), "each header once", names.join(u' '));
    return 0;
}

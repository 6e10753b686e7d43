#include "mail/mimemessage.h"

#include "mail/body.h"

#include <QFileInfo>
#include <QMimeDatabase>

#include <gmime/gmime.h>

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace kv {
namespace {

struct Unref {
    void operator()(void *object) const { g_object_unref(object); }
};
template <class T>
using GPtr = std::unique_ptr<T, Unref>;

void initGMime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

using Part = GPtr<GMimeObject>;

Part textPart(const char *subtype, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    GPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.constData(), bytes.size()));
    GPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    GMimePart *part = g_mime_part_new_with_type("text", subtype);
    g_mime_part_set_content(part, content.get());
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", "utf-8");
    // Quoted-printable keeps every line short, however long the HTML's one line is.
    g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
    return Part(GMIME_OBJECT(part));
}

// The base64 of a file, in lines of 76 characters ending in `newline`, read and written some
// 57 KB at a time. Two characters come from one look-up of twelve bits.
ssize_t writeBase64(GMimeStream *in, GMimeStream *out, const char *newline)
{
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    static const std::array<std::array<char, 2>, 4096> pairs = [] {
        std::array<std::array<char, 2>, 4096> made{};
        for (unsigned v = 0; v < 4096; ++v)
            made[v] = {alphabet[v >> 6], alphabet[v & 63]};
        return made;
    }();
    constexpr size_t lineBytes = 57; // 76 characters
    const size_t newlineLength = std::strlen(newline);
    std::vector<unsigned char> raw(lineBytes * 1024);
    std::vector<char> text(raw.size() / 3 * 4 + 1024 * newlineLength);
    ssize_t total = 0;
    g_mime_stream_reset(in);
    for (bool end = false; !end;) {
        size_t have = 0;
        while (have < raw.size()) {
            const ssize_t n = g_mime_stream_read(in, reinterpret_cast<char *>(raw.data()) + have, raw.size() - have);
            if (n < 0)
                return -1;
            if (n == 0)
                break;
            have += size_t(n);
        }
        end = have < raw.size();
        char *o = text.data();
        for (size_t line = 0; line < have; line += lineBytes) {
            const size_t lineEnd = std::min(have, line + lineBytes);
            size_t i = line;
            for (; i + 3 <= lineEnd; i += 3, o += 4) {
                const unsigned v = unsigned(raw[i]) << 16 | unsigned(raw[i + 1]) << 8 | raw[i + 2];
                std::memcpy(o, pairs[v >> 12].data(), 2);
                std::memcpy(o + 2, pairs[v & 4095].data(), 2);
            }
            if (i < lineEnd) {
                const unsigned v = unsigned(raw[i]) << 16 | (i + 1 < lineEnd ? unsigned(raw[i + 1]) << 8 : 0);
                std::memcpy(o, pairs[v >> 12].data(), 2);
                o[2] = i + 1 < lineEnd ? alphabet[v >> 6 & 63] : '=';
                o[3] = '=';
                o += 4;
            }
            std::memcpy(o, newline, newlineLength);
            o += newlineLength;
        }
        if (o != text.data() && g_mime_stream_write(out, text.data(), size_t(o - text.data())) < 0)
            return -1;
        total += o - text.data();
    }
    return total;
}

// A part holding a file, written as base64. GMime writes its headers; the body is written here
// straight into the message, because GMime's own part writer sends it 4 KB at a time through
// its base64 filter and then a filter that looks at every byte for a line end to make CR LF:
// for attachments of many megabytes that was most of the time the message took.
struct FilePart {
    GMimePart parent;
};
struct FilePartClass {
    GMimePartClass parent;
};
G_DEFINE_TYPE(FilePart, file_part, GMIME_TYPE_PART)

ssize_t writeFilePart(GMimeObject *object, GMimeFormatOptions *options, gboolean contentOnly, GMimeStream *stream)
{
    const char *newline = g_mime_format_options_get_newline(options);
    ssize_t headers = 0;
    if (!contentOnly) {
        headers = g_mime_header_list_write_to_stream(g_mime_object_get_header_list(object), options, stream);
        const ssize_t blank = headers < 0 ? -1 : g_mime_stream_write_string(stream, newline);
        if (blank < 0)
            return -1;
        headers += blank;
    }
    const ssize_t body = writeBase64(g_mime_data_wrapper_get_stream(g_mime_part_get_content(GMIME_PART(object))), stream, newline);
    return body < 0 ? -1 : headers + body;
}

void file_part_class_init(FilePartClass *type)
{
    GMIME_OBJECT_CLASS(type)->write_to_stream = writeFilePart;
}

void file_part_init(FilePart *) {}

// A file as a base64 part, read from disk only while the message is written.
Part filePart(const QString &path, const char *disposition)
{
    GError *error = nullptr;
    GPtr<GMimeStream> stream(g_mime_stream_fs_open(QFile::encodeName(path).constData(), O_RDONLY, 0, &error));
    if (!stream) {
        const QString cause = QString::fromUtf8(error ? error->message : "");
        g_clear_error(&error);
        throw std::runtime_error(QString(u"Het bestand " + path + u" kan niet worden gelezen: " + cause).toStdString());
    }
    GPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    static const QMimeDatabase types;
    const QStringList type = types.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().split(u'/');
    GMimePart *part = GMIME_PART(g_object_new(file_part_get_type(), nullptr));
    GPtr<GMimeContentType> contentType(g_mime_content_type_new(type.value(0).toUtf8().constData(), type.value(1).toUtf8().constData()));
    g_mime_object_set_content_type(GMIME_OBJECT(part), contentType.get());
    g_mime_part_set_content(part, content.get());
    g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
    g_mime_object_set_disposition(GMIME_OBJECT(part), disposition);
    g_mime_part_set_filename(part, QFileInfo(path).fileName().toUtf8().constData());
    return Part(GMIME_OBJECT(part));
}

// The parts under one multipart, or the only part itself: a level of one is left out.
Part level(const char *subtype, std::vector<Part> parts)
{
    if (parts.size() == 1)
        return std::move(parts.front());
    GMimeMultipart *multipart = g_mime_multipart_new_with_subtype(subtype);
    for (const Part &part : parts)
        g_mime_multipart_add(multipart, part.get());
    return Part(GMIME_OBJECT(multipart));
}

Part body(const MessageContent &content)
{
    std::vector<Part> related;
    related.push_back(textPart("html", content.html));
    for (const Picture &picture : content.pictures) {
        related.push_back(filePart(picture.path, GMIME_DISPOSITION_INLINE));
        g_mime_part_set_content_id(GMIME_PART(related.back().get()), picture.contentId.toUtf8().constData());
    }
    Part html = level("related", std::move(related));
    if (GMIME_IS_MULTIPART(html.get()))
        g_mime_object_set_content_type_parameter(html.get(), "type", "text/html");
    std::vector<Part> alternative;
    alternative.push_back(textPart("plain", textFromHtml(content.html)));
    alternative.push_back(std::move(html));
    std::vector<Part> mixed;
    mixed.push_back(level("alternative", std::move(alternative)));
    for (const QString &path : content.attachments)
        mixed.push_back(filePart(path, GMIME_DISPOSITION_ATTACHMENT));
    return level("mixed", std::move(mixed));
}

GDateTime *gDate(const QDateTime &date)
{
    GTimeZone *zone = g_time_zone_new_offset(date.offsetFromUtc());
    GDateTime *result = g_date_time_new(zone, date.date().year(), date.date().month(), date.date().day(),
                                        date.time().hour(), date.time().minute(), date.time().second());
    g_time_zone_unref(zone);
    return result;
}

void setHeader(GMimeMessage *message, const char *name, const QString &value)
{
    if (!value.isEmpty())
        g_mime_object_set_header(GMIME_OBJECT(message), name, oneLine(value).toUtf8().constData(), "utf-8");
}

} // namespace

QString oneLine(const QString &value)
{
    QString line = value;
    for (QChar &c : line)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    return line;
}

QString fromHeader(const QString &address, const QString &name)
{
    if (name.trimmed().isEmpty())
        return address;
    QString written = name;
    for (QChar c : name)
        if (c.unicode() > 126) {
            initGMime();
            char *encoded = g_mime_utils_header_encode_text(nullptr, name.toUtf8().constData(), "utf-8");
            written = QString::fromUtf8(encoded);
            g_free(encoded);
            break;
        }
    return address + u'(' + written + u')';
}

MessageFile writeMessage(const MessageContent &content)
{
    initGMime();
    MessageFile out{decltype(MessageFile::file)(std::tmpfile())};
    if (!out.file)
        throw std::runtime_error("Er kan geen tijdelijk bestand voor het e-mailbericht worden gemaakt.");
    GPtr<GMimeMessage> message(g_mime_message_new(TRUE));
    setHeader(message.get(), "From", content.from);
    // GMime would rewrite the address as "name <address>"; the suite's form stays as written.
    g_mime_header_set_raw_value(g_mime_header_list_get_header(g_mime_object_get_header_list(GMIME_OBJECT(message.get())), "From"),
                                (u' ' + oneLine(content.from) + u'\n').toUtf8().constData());
    setHeader(message.get(), "To", content.to);
    g_mime_message_set_subject(message.get(), oneLine(content.subject).toUtf8().constData(), "utf-8");
    GDateTime *date = gDate(content.date);
    g_mime_message_set_date(message.get(), date);
    g_date_time_unref(date);
    char *id = g_mime_utils_generate_message_id("beheer");
    g_mime_message_set_message_id(message.get(), id);
    g_free(id);
    setHeader(message.get(), "Return-Receipt-To", content.returnReceiptTo);
    setHeader(message.get(), "Disposition-Notification-To", content.dispositionNotificationTo);
    const Part top = body(content);
    g_mime_message_set_mime_part(message.get(), top.get());

    // Large writes: a message of many megabytes costs a system call per megabyte, not per page.
    std::setvbuf(out.file.get(), nullptr, _IOFBF, 1 << 20);
    GPtr<GMimeStream> file(g_mime_stream_file_new(out.file.get()));
    g_mime_stream_file_set_owner(GMIME_STREAM_FILE(file.get()), FALSE);
    GMimeFormatOptions *options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
    const ssize_t written = g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), options, file.get());
    g_mime_format_options_free(options);
    // GMime counts the bytes before the line ends became CR LF; the file knows the real size.
    out.size = written < 0 || std::fflush(out.file.get()) != 0 ? -1 : std::ftell(out.file.get());
    if (out.size < 0)
        throw std::runtime_error("Het e-mailbericht kan niet worden opgemaakt.");
    std::rewind(out.file.get());
    return out;
}

} // namespace kv

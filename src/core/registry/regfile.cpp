#include "core/registry/regfile.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace kv::reg {
namespace {

constexpr QStringView header = u"Windows Registry Editor Version 5.00";
constexpr QStringView hexString = u"hex(1):";

QString quote(const QString &text)
{
    QString quoted = text;
    quoted.replace(QStringLiteral("\\"), QStringLiteral("\\\\")).replace(QStringLiteral("\""), QStringLiteral("\\\""));
    return u'"' + quoted + u'"';
}

// The text of a quoted string starting at `from`; `end` is set past the closing quote.
QString unquote(QStringView line, qsizetype from, qsizetype &end)
{
    QString text;
    qsizetype i = from + 1;
    for (; i < line.size() && line[i] != u'"'; ++i) {
        if (line[i] == u'\\' && i + 1 < line.size())
            ++i;
        text += line[i];
    }
    end = i + 1;
    return text;
}

// "name"=data or @=data on trimmed lines; the data of hex values continues over lines ending in "\".
std::optional<Value> parseValue(const QStringList &lines, qsizetype &i)
{
    const QStringView line = lines[i];
    Value value;
    qsizetype pos = 1;
    if (line.startsWith(u'"'))
        value.name = unquote(line, 0, pos);
    if (pos >= line.size() || line[pos] != u'=')
        return std::nullopt;
    value.data = line.mid(pos + 1).toString();
    if (!value.data.startsWith(u'"')) {
        while (value.data.endsWith(u'\\') && i + 1 < lines.size()) {
            value.data.chop(1);
            value.data += lines[++i];
        }
        // A file that ends where a continuation was announced: the announcement goes.
        while (value.data.endsWith(u'\\'))
            value.data.chop(1);
    }
    return value;
}

QString decode(const QByteArray &bytes)
{
    auto encoding = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    QString text = decoder(bytes);
    // Half a character of a damaged UTF-16 file becomes U+FFFD, as a damaged UTF-8 byte does:
    // the file is written as UTF-8, which cannot hold it, and a text must read the same again.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

Value *Key::find(QStringView name)
{
    for (Value &v : values)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

Key *Document::find(QStringView path)
{
    for (Key &k : keys)
        if (k.path.compare(path, Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

void Document::createKey(QStringView path)
{
    // Every key from the first one below the root down to `path`.
    for (qsizetype sep = path.indexOf(u'\\'); sep >= 0;) {
        sep = path.indexOf(u'\\', sep + 1);
        const QStringView upTo = sep < 0 ? path : path.left(sep);
        if (!find(upTo))
            keys.push_back({upTo.toString(), {}});
    }
}

Document parse(const QByteArray &bytes)
{
    Document doc;
    Key *key = nullptr;
    QStringList lines = decode(bytes).split(u'\n');
    for (QString &line : lines)
        line = line.trimmed();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            key = nullptr;
            if (!line.startsWith(u"[-")) { // a deletion entry of an import file holds nothing
                doc.keys.push_back({line.mid(1, line.size() - 2), {}});
                key = &doc.keys.back();
            }
        } else if (key && (line.startsWith(u'"') || line.startsWith(u'@'))) {
            if (auto value = parseValue(lines, i))
                key->values.push_back(std::move(*value));
        }
    }
    return doc;
}

QByteArray format(const Document &doc)
{
    QString text = header + u"\n";
    for (const Key &key : doc.keys) {
        text += u"\n[" + key.path + u"]\n";
        for (const Value &v : key.values)
            text += (v.name.isEmpty() ? QStringLiteral("@") : quote(v.name)) + u'=' + v.data + u'\n';
    }
    return text.toUtf8();
}

std::optional<QString> storedString(const QString &data)
{
    if (data.startsWith(u'"')) {
        qsizetype end = 0;
        return unquote(data, 0, end) + QChar(0);
    }
    if (!data.startsWith(hexString, Qt::CaseInsensitive))
        return std::nullopt;
    QByteArray bytes;
    for (const QString &byte : data.mid(hexString.size()).split(u',', Qt::SkipEmptyParts))
        bytes += char(byte.trimmed().toUInt(nullptr, 16));
    return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
}

QString stringData(const QString &text)
{
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20; });
    if (plain)
        return quote(text);
    QStringList bytes;
    for (QChar c : QString(text + QChar(0)))
        bytes << QStringLiteral("%1,%2").arg(uint(c.unicode() & 0xff), 2, 16, QChar(u'0')).arg(uint(c.unicode() >> 8), 2, 16, QChar(u'0'));
    return hexString + bytes.join(u',');
}

} // namespace kv::reg

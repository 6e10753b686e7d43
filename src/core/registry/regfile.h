#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace kv::reg {

// A registry in the layout of a Registry Editor 5.00 export:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Velmo\Korvenal\Pro\CurrentVersion]
//   "AdminColor07"="8421504"
//   "Raar"=hex(1):41,00,00,00,42,00,00,00
//
// A value keeps the text after "=" as read, so values of other types (dword:, hex:, ...)
// survive a rewrite untouched.
struct Value {
    QString name; // "@" in the file: the key's default value, an empty name here
    QString data;
};

struct Key {
    QString path; // full path, root included
    std::vector<Value> values;

    Value *find(QStringView name);
};

struct Document {
    std::vector<Key> keys;

    // Keys and value names compare without regard to case, as in the registry.
    Key *find(QStringView path);
    // Adds the key and every key above it that is missing.
    void createKey(QStringView path);
};

// Reads UTF-8, or UTF-16 with a byte-order mark as the Registry Editor writes it.
Document parse(const QByteArray &bytes);
// Writes UTF-8 with LF line ends.
QByteArray format(const Document &doc);

// The characters a string value holds, its terminating NUL included; nothing for other types.
std::optional<QString> storedString(const QString &data);
// The data of a string value holding `text`: quoted, or as hex(1) bytes when the text holds
// characters a quoted line cannot carry (NUL, line ends, other control characters).
QString stringData(const QString &text);

} // namespace kv::reg

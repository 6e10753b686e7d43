#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>
#include <vector>

namespace kv {

// The keys of the suite under the current user.
inline constexpr QStringView RegKeyKorvenal = u"Software\\Velmo\\Korvenal\\Pro\\CurrentVersion";
inline constexpr QStringView RegKeyEtiket = u"Software\\Velmo\\Korvenal\\Pro\\CurrentVersion\\Etiket";
inline constexpr QStringView RegKeyPrinter = u"Software\\Velmo\\Korvenal\\Pro\\CurrentVersion\\PrinterSetting";
inline constexpr QStringView RegKeyOverzichten = u"Software\\Velmo\\Sorbex\\CurrentVersion\\Overzichten";

// The settings of the user and workstation: string values under keys of the current user.
// Every value is text; a switch is stored in the form its screen chose ("1"/"0", "on"/"off").
class Registry {
public:
    virtual ~Registry() = default;

    // The value as text; empty when the key or value does not exist or is not a string.
    // NUL characters are dropped.
    virtual QString LeesRegistry(QStringView keyPath, QStringView valueName) = 0;

    // Writes a string value under an existing key; false, and nothing written, when the key
    // does not exist. Never creates a key.
    virtual bool SchrijfRegistry(QStringView keyPath, QStringView valueName, const QString &text) = 0;

    // Writes several string values under an existing key at once: all of them or, when the key
    // does not exist or the store cannot be written, none. For a screen's save.
    using Values = std::vector<std::pair<QString, QString>>;
    virtual bool SchrijfRegistry(QStringView keyPath, const Values &values) = 0;

    // Writes values under several keys in one replace of the store, creating the keys that are
    // missing: all of them or none. For the printer screens' save (one key per document kind).
    using KeyValues = std::vector<std::pair<QString, Values>>;
    virtual bool createAndWrite(const KeyValues &keys) = 0;

    // Removes the values from an existing key, all of them or none; false when the key does not
    // exist or the store cannot be written. For putting back a save that did not land where it
    // wrote values that were not there.
    virtual bool removeValues(QStringView keyPath, const QStringList &valueNames) = 0;

    // The names of the values under the key, in the order stored; empty when the key does not
    // exist. For settings kept as one value per item (the printers of a production line).
    virtual QStringList valueNames(QStringView keyPath) = 0;

    // Creates the key and the keys above it when missing. Only the first start and the
    // printer screens (one key per report) create keys.
    virtual bool createKey(QStringView keyPath) = 0;
};

// Value names of settings that differ per administration carry its code in one of three forms.
// "EmailSMTPServer" for administration 07: "07-EmailSMTPServer".
QString regNameCodeFirst(const QString &adminCode, QStringView name);
// "AdminColor" for administration 07: "AdminColor07".
QString regNameCodeLast(const QString &adminCode, QStringView name);
// "UBLArchiefPath-" (the name as the suite writes it, ending in "-") for 07: "UBLArchiefPath-07".
QString regNameDashCode(const QString &adminCode, QStringView name);

} // namespace kv

#include "core/registry/registryfile.h"

#include "core/registry/regfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace kv {
namespace {

// Every key of this store lies under the current user.
QString fullPath(QStringView keyPath)
{
    return u"HKEY_CURRENT_USER\\" + keyPath;
}

} // namespace

RegistryFile::RegistryFile(QString path) : m_path(std::move(path)) {}

QString RegistryFile::defaultPath()
{
    const QString overridden = qEnvironmentVariable("BEHEER_REGISTRY");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/KorvenalPro/registry.reg";
}

reg::Document RegistryFile::read() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return reg::parse(file.readAll());
}

bool RegistryFile::update(const std::function<bool(reg::Document &)> &change)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QLockFile lock(m_path + u".lock");
    if (!lock.tryLock(5000))
        return false;
    reg::Document doc = read();
    if (!change(doc))
        return false;
    QSaveFile file(m_path);
    return file.open(QIODevice::WriteOnly) && file.write(reg::format(doc)) >= 0 && file.commit();
}

QString RegistryFile::LeesRegistry(QStringView keyPath, QStringView valueName)
{
    reg::Document doc = read();
    reg::Key *key = doc.find(fullPath(keyPath));
    reg::Value *value = key ? key->find(valueName) : nullptr;
    const std::optional<QString> stored = value ? reg::storedString(value->data) : std::nullopt;
    return stored ? QString(*stored).remove(QChar(0)) : QString();
}

bool RegistryFile::SchrijfRegistry(QStringView keyPath, QStringView valueName, const QString &text)
{
    return SchrijfRegistry(keyPath, Values{{valueName.toString(), text}});
}

bool RegistryFile::SchrijfRegistry(QStringView keyPath, const Values &values)
{
    return update([&](reg::Document &doc) {
        reg::Key *key = doc.find(fullPath(keyPath));
        if (!key)
            return false;
        for (const auto &[name, text] : values) {
            if (reg::Value *value = key->find(name))
                value->data = reg::stringData(text);
            else
                key->values.push_back({name, reg::stringData(text)});
        }
        return true;
    });
}

bool RegistryFile::removeValues(QStringView keyPath, const QStringList &valueNames)
{
    return update([&](reg::Document &doc) {
        reg::Key *key = doc.find(fullPath(keyPath));
        if (!key)
            return false;
        std::erase_if(key->values,
                      [&](const reg::Value &value) { return valueNames.contains(value.name, Qt::CaseInsensitive); });
        return true;
    });
}

QStringList RegistryFile::valueNames(QStringView keyPath)
{
    reg::Document doc = read();
    QStringList names;
    if (reg::Key *key = doc.find(fullPath(keyPath)))
        for (const reg::Value &value : key->values)
            names += value.name;
    return names;
}

bool RegistryFile::createKey(QStringView keyPath)
{
    const QString path = fullPath(keyPath);
    if (read().find(path))
        return true;
    return update([&](reg::Document &doc) {
        doc.createKey(path);
        return true;
    });
}

} // namespace kv

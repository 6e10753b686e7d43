#include "core/registry/registryfile.h"

#include "core/registry/regfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {
namespace {

// Every key of this store lies under the current user.
QString fullPath(QStringView keyPath)
{
    return u"HKEY_CURRENT_USER\\" + keyPath;
}

// What tells one version of the file from another: a replace makes a new inode, an edit in place
// changes the times (in nanoseconds) or the size; the last is 1 when the file is there. All zero
// when it is not.
std::array<qint64, 6> stampOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec, 1};
}

// The lock of one write: a kernel lock on the file beside the registry, so that a program that
// dies lets go at once, and nothing is written to disk for it. Waits up to five seconds.
class WriteLock {
public:
    explicit WriteLock(const QString &path) : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        for (int waited = 0; m_fd >= 0 && !m_held && waited <= 5000; waited += 10) {
            m_held = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
            if (!m_held)
                QThread::msleep(10);
        }
    }
    ~WriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;
    bool held() const { return m_held; }

private:
    int m_fd;
    bool m_held = false;
};

// Existing values are changed in place, new ones go after them.
void setValues(reg::Key &key, const Registry::Values &values)
{
    for (const auto &[name, text] : values) {
        if (reg::Value *value = key.find(name))
            value->data = reg::stringData(text);
        else
            key.values.push_back({name, reg::stringData(text)});
    }
}

} // namespace

RegistryFile::RegistryFile(QString path) : m_path(std::move(path)) {}

RegistryFile::~RegistryFile() = default;

QString RegistryFile::defaultPath()
{
    const QString overridden = qEnvironmentVariable("BEHEER_REGISTRY");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/KorvenalPro/registry.reg";
}

reg::Document *RegistryFile::read() const
{
    const std::array<qint64, 6> stamp = stampOf(m_path);
    if (!m_parsed || stamp != m_parsedStamp) {
        QFile file(m_path);
        const bool there = stamp != std::array<qint64, 6>{};
        if (there && !file.open(QIODevice::ReadOnly)) {
            m_parsed.reset(); // there but unreadable: nothing is kept, nothing may be written over it
            return nullptr;
        }
        m_parsed = std::make_unique<reg::Document>(there ? reg::parse(file.readAll()) : reg::Document{});
        m_parsedStamp = stamp;
    }
    return m_parsed.get();
}

bool RegistryFile::update(const std::function<bool(reg::Document &)> &change)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const WriteLock lock(m_path + u".lock");
    if (!lock.held())
        return false;
    const reg::Document *current = read();
    if (!current)
        return false;
    reg::Document doc = *current;
    if (!change(doc))
        return false;
    // The store holds passwords as typed (the mail server's): only its user may read it.
    // Flushed before the commit: commit() flushes Qt's buffer itself but does not look at the
    // result, so on a full disk it would put an empty file in place of the registry.
    QSaveFile file(m_path);
    if (!(file.open(QIODevice::WriteOnly) && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
          && file.write(reg::format(doc)) >= 0 && file.flush() && file.commit()))
        return false;
    m_parsed = std::make_unique<reg::Document>(std::move(doc)); // still under the lock: no one else wrote since
    m_parsedStamp = stampOf(m_path);
    return true;
}

QString RegistryFile::LeesRegistry(QStringView keyPath, QStringView valueName)
{
    reg::Document *doc = read();
    reg::Key *key = doc ? doc->find(fullPath(keyPath)) : nullptr;
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
        setValues(*key, values);
        return true;
    });
}

bool RegistryFile::createAndWrite(const KeyValues &keys)
{
    return update([&](reg::Document &doc) {
        for (const auto &[keyPath, values] : keys) {
            const QString path = fullPath(keyPath);
            doc.createKey(path);
            setValues(*doc.find(path), values);
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
    QStringList names;
    reg::Document *doc = read();
    if (reg::Key *key = doc ? doc->find(fullPath(keyPath)) : nullptr)
        for (const reg::Value &value : key->values)
            names += value.name;
    return names;
}

bool RegistryFile::createKey(QStringView keyPath)
{
    const QString path = fullPath(keyPath);
    if (reg::Document *doc = read(); doc && doc->find(path))
        return true;
    return update([&](reg::Document &doc) {
        doc.createKey(path);
        return true;
    });
}

} // namespace kv

#include "editing/options/outsidewrites.h"

#include "core/context.h"
#include "core/db/dberror.h"

#include <QFile>
#include <QSaveFile>

namespace kv::options {
namespace {

bool replace(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) >= 0 && file.commit();
}

} // namespace

void OutsideWrites::registry(const Registry::Values &values)
{
    if (values.empty())
        return;
    Registry::Values before; // as they are now, which another program may have changed
    QStringList absent;
    const QStringList present = m_ctx.registry->valueNames(RegKeyKorvenal);
    for (const auto &[name, text] : values) {
        if (present.contains(name, Qt::CaseInsensitive))
            before.emplace_back(name, m_ctx.registry->LeesRegistry(RegKeyKorvenal, name));
        else
            absent << name;
    }
    if (!m_ctx.registry->SchrijfRegistry(RegKeyKorvenal, values))
        db::raise(db::ErrFileInUse, QStringLiteral("De instellingen kunnen niet in het register worden opgeslagen."));
    m_registryBefore = before;
    m_registryAbsent = absent;
}

std::optional<QByteArray> OutsideWrites::file(const QString &path, const std::optional<QByteArray> &content)
{
    std::optional<QByteArray> before;
    if (QFile old(path); old.open(QIODevice::ReadOnly))
        before = old.readAll();
    if (content == before)
        return before; // what it must hold already (or not there, as it must not be): left alone
    if (!content && !QFile::remove(path))
        db::raise(db::ErrFileInUse, QStringLiteral("Het bestand %1 kan niet worden verwijderd.").arg(path));
    if (content && !replace(path, *content))
        db::raise(db::ErrFileInUse, QStringLiteral("Het bestand %1 kan niet worden geschreven.").arg(path));
    m_filesBefore.emplace_back(path, before);
    return before;
}

void OutsideWrites::putBack()
{
    for (const auto &[path, bytes] : m_filesBefore) {
        if (bytes)
            replace(path, *bytes);
        else
            QFile::remove(path);
    }
    if (!m_registryBefore.empty())
        m_ctx.registry->SchrijfRegistry(RegKeyKorvenal, m_registryBefore);
    if (!m_registryAbsent.isEmpty())
        m_ctx.registry->removeValues(RegKeyKorvenal, m_registryAbsent);
}

} // namespace kv::options

#include "editing/codetables/autosave.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/registry/registry.h"

#include <QFile>

namespace kv::codetables {

QString autoSaveValueName(QStringView tableKey, int n)
{
    return tableKey.toString() + u"_AutoSaveFilename" + QString::number(n);
}

AutoSavePaths readAutoSavePaths(Registry &registry, QStringView tableKey)
{
    AutoSavePaths paths;
    for (int n = 1; n <= 3; ++n)
        paths[size_t(n - 1)] = registry.LeesRegistry(RegKeyKorvenal, autoSaveValueName(tableKey, n));
    return paths;
}

void writeAutoSavePaths(Registry &registry, QStringView tableKey, const AutoSavePaths &paths)
{
    for (int n = 1; n <= 3; ++n)
        registry.SchrijfRegistry(RegKeyKorvenal, autoSaveValueName(tableKey, n), paths[size_t(n - 1)]);
}

bool exportAutoSave(Context &ctx, QStringView tableKey, const std::vector<Entry> &entries)
{
    for (const QString &stored : readAutoSavePaths(*ctx.registry, tableKey)) {
        const QString path = stored.trimmed();
        if (path.isEmpty())
            continue;
        // The old file must go first: one that stays (open elsewhere, read-only) is not ours to write.
        if (QFile::exists(path))
            QFile::remove(path);
        QFile file(path);
        if (file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            ctx.dialogs->MsgBox(u"Er kan geen toegang worden gekregen tot onderstaand bestand:\n" + path,
                                mb::Exclamation, TitelPrefix.toString());
            return false;
        }
        // Windows line ends: the suite's other programs read these files.
        for (const Entry &entry : entries)
            if (entry.ticked)
                file.write((entry.text.trimmed() + u"\r\n").toUtf8());
    }
    return true;
}

HulpAutoSave::HulpAutoSave(Context &ctx, QString tableKey)
    : paths(readAutoSavePaths(*ctx.registry, tableKey)), m_ctx(ctx), m_key(std::move(tableKey))
{
}

QString HulpAutoSave::caption() const
{
    if (m_key == u"tabelpalletlabel")
        return QStringLiteral("Pallet labels");
    return codeTableFor(m_key).caption.trimmed().toString();
}

void HulpAutoSave::ok()
{
    writeAutoSavePaths(*m_ctx.registry, m_key, paths);
    m_ctx.EditKey = QStringLiteral("refresh");
}

} // namespace kv::codetables

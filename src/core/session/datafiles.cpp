#include "core/session/datafiles.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace kv {

QString findDataFile(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return {};
    QStringList wanted{name};
    if (name.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        wanted.prepend(name.left(name.size() - 4) + QStringLiteral(".sqlite"));
    std::optional<QStringList> present; // the folder is listed only when a name is not there as written
    for (const QString &candidate : wanted) {
        if (QFileInfo(dir.filePath(candidate)).isFile())
            return dir.filePath(candidate);
        if (!present)
            present = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &file : *present)
            if (file.compare(candidate, Qt::CaseInsensitive) == 0)
                return dir.filePath(file);
    }
    return {};
}

QString databasePath(const QString &folder, const QString &name)
{
    const QString found = findDataFile(folder, name);
    if (!found.isEmpty())
        return found;
    return QDir(folder).filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".sqlite"));
}

} // namespace kv

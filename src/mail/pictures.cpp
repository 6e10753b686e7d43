#include "mail/pictures.h"

#include "core/session/datafiles.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace kv {
namespace {

constexpr int MaxPictures = 99;

// The folder named `name` in `folder`, matched without regard to case; empty when none.
QString findFolder(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isDir())
        return dir.filePath(name);
    for (const QString &entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

} // namespace

QString findTemplateFile(const QString &written, const QString &dataPad)
{
    const QString path = QString(written).replace(u'\\', u'/').trimmed();
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).isFile())
        return QFileInfo(path).absoluteFilePath();
    const bool windowsAbsolute = path.size() > 1 && path[1] == u':';
    if (QDir::isAbsolutePath(path) || windowsAbsolute || dataPad.isEmpty())
        return {};
    QStringList names = path.split(u'/', Qt::SkipEmptyParts);
    const QString file = names.takeLast();
    QString folder = dataPad;
    for (const QString &name : names) {
        folder = findFolder(folder, name);
        if (folder.isEmpty())
            return {};
    }
    return findDataFile(folder, file);
}

EmbeddedPictures embedPictures(const QString &html, const QString &dataPad, const QDateTime &now)
{
    static const QString opening = QStringLiteral("src=\"cid:%");
    static const QString closing = QStringLiteral("%\"");
    EmbeddedPictures result;
    std::map<QString, QString> idByFile;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = html.indexOf(opening, from, Qt::CaseInsensitive);
        const qsizetype end = start < 0 ? -1 : html.indexOf(closing, start + opening.size());
        if (end < 0)
            break;
        result.html += QStringView(html).mid(from, start - from);
        from = end + closing.size();
        const QString written = html.mid(start + opening.size(), end - start - opening.size());
        const QString file = findTemplateFile(written, dataPad);
        auto known = idByFile.find(file);
        if (!file.isEmpty() && known == idByFile.end() && result.pictures.size() < MaxPictures) {
            const QString id = now.toString(u"yyyyMMddHHmmss") + u'-' +
                               QString::number(result.pictures.size() + 1).rightJustified(2, u'0') + u"@beheer";
            result.pictures.push_back({file, id});
            known = idByFile.emplace(file, id).first;
        }
        if (known == idByFile.end())
            result.html += QStringView(html).mid(start, from - start);
        else
            result.html += u"src=\"cid:" + known->second + u'"';
    }
    result.html += QStringView(html).mid(from);
    return result;
}

} // namespace kv

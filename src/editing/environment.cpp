#include "editing/environment.h"

#include "editing/text.h"
#include "core/registry/registry.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QSysInfo>

namespace kv {

namespace {

// A file-name pattern in the suite's sense: only "*" and "?" are wildcards, "*.*" is anything.
QRegularExpression namePattern(const QString &name)
{
    if (name == u"*.*")
        return QRegularExpression(QStringLiteral(".*"));
    QString pattern;
    for (QChar c : name) {
        if (c == u'*')
            pattern += QStringLiteral(".*");
        else if (c == u'?')
            pattern += u'.';
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::CaseInsensitiveOption);
}

// The names a database file may carry on disk.
QStringList alternativeNames(const QString &name)
{
    static const QString extensions[] = {QStringLiteral(".mdb"), QStringLiteral(".sqlite")};
    for (const QString &ext : extensions) {
        if (name.endsWith(ext, Qt::CaseInsensitive)) {
            const QString base = name.left(name.size() - ext.size());
            return {base + extensions[0], base + extensions[1]};
        }
    }
    return {name};
}

} // namespace

bool BestandBestaat(const QString &pad)
{
    QString path = pad;
    path.replace(u'\\', u'/');
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QStringLiteral(".") : path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const QStringList files = QDir(folder).entryList(QDir::Files);
    if (name.isEmpty())
        return !files.isEmpty();
    for (const QString &wanted : alternativeNames(name)) {
        const QRegularExpression pattern = namePattern(wanted);
        for (const QString &file : files) {
            if (pattern.match(file).hasMatch())
                return true;
        }
    }
    return false;
}

QString DocumentsFolder(Registry *registry)
{
    QString map = registry ? registry->LeesRegistry(u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                                    u"Personal")
                           : QString();
    if (map.isEmpty() || !QFileInfo(map).isDir())
        map = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return map.endsWith(u'/') ? map : map + u'/';
}

} // namespace kv

#include "editing/options/pathstatus.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kv::options {

QString pathStatus(Control kind, const QString &path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return u"niet ingesteld"_s;
    const QFileInfo file(trimmed);
    // A file is written anew: its folder must take it, and an existing file must take a change.
    const QFileInfo folder(kind == Control::File ? file.absolutePath() : trimmed);
    if (!folder.isDir())
        return u"ontbreekt"_s;
    if (!folder.isWritable() || (kind == Control::File && file.exists() && !file.isWritable()))
        return u"alleen lezen"_s;
    return u"ok"_s;
}

bool isBroken(const QString &status)
{
    return status == u"ontbreekt" || status == u"alleen lezen";
}

} // namespace kv::options

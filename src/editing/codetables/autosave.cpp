#include "editing/codetables/autosave.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/registry/registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

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

namespace {

// An export is a short list of texts as writeExport writes them; a file that holds anything
// else is not ours to replace.
constexpr qint64 exportSizeLimit = 1 << 20;

bool isExport(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > exportSizeLimit)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError() || (!text.isEmpty() && !text.endsWith(u"\r\n")))
        return false;
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line end
    return std::all_of(lines.begin(), lines.end(), [](const QString &line) {
        return !line.isEmpty() && line == line.trimmed()
            && std::none_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20; });
    });
}

bool writeExport(const QString &path, const std::vector<Entry> &entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Windows line ends: the suite's other programs read these files.
    for (const Entry &entry : entries)
        if (entry.ticked)
            file.write((entry.text.trimmed() + u"\r\n").toUtf8());
    return file.commit();
}

} // namespace

QString autoSavePathProblem(const Context &ctx, const QString &path)
{
    // Where the file really is: through links, and in the folder as the system names it.
    const QFileInfo info(path);
    QString target = info.canonicalFilePath();
    if (target.isEmpty()) {
        const QString folder = QDir(info.absolutePath()).canonicalPath();
        target = (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
    }
    const QString dataFolder = QDir(ctx.DataPad).canonicalPath();
    // Without regard to case: the data folder may lie on a share that ignores it.
    const bool inside = !dataFolder.isEmpty() && target.startsWith(dataFolder + u'/', Qt::CaseInsensitive);
    if (!QDir::isAbsolutePath(path) || inside)
        return u"Kies voor dit bestand een volledig pad buiten de map van de administratie:\n" + path;
    return {};
}

bool exportAutoSave(Context &ctx, QStringView tableKey, const std::vector<Entry> &entries)
{
    for (const QString &stored : readAutoSavePaths(*ctx.registry, tableKey)) {
        const QString path = stored.trimmed();
        if (path.isEmpty())
            continue;
        QString problem = autoSavePathProblem(ctx, path);
        if (problem.isEmpty() && QFileInfo::exists(path) && !isExport(path))
            problem = u"Dit bestand is geen lijst van een code-tabel en wordt niet overschreven:\n" + path;
        if (problem.isEmpty() && !writeExport(path, entries))
            problem = u"Er kan geen toegang worden gekregen tot onderstaand bestand:\n" + path;
        if (!problem.isEmpty()) {
            ctx.dialogs->MsgBox(problem, mb::Exclamation, TitelPrefix.toString());
            return false;
        }
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

bool HulpAutoSave::ok()
{
    for (const QString &path : paths) {
        const QString problem = path.trimmed().isEmpty() ? QString() : autoSavePathProblem(m_ctx, path.trimmed());
        if (!problem.isEmpty()) {
            m_ctx.dialogs->MsgBox(problem, mb::Exclamation);
            return false;
        }
    }
    writeAutoSavePaths(*m_ctx.registry, m_key, paths);
    m_ctx.EditKey = QStringLiteral("refresh");
    return true;
}

} // namespace kv::codetables

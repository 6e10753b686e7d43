#include "support/administrationfixture.h"

#include "core/session/administration.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace kv::test {
namespace {

QString templateFor(const QString &password)
{
    static QTemporaryDir root;
    static QHash<QString, QString> made;
    auto it = made.find(password);
    if (it == made.end()) {
        const QString folder = root.filePath(QStringLiteral("template%1").arg(made.size()));
        createAdministratie(folder, password, true);
        it = made.insert(password, folder);
    }
    return *it;
}

} // namespace

TempAdministration::TempAdministration(const QString &password)
{
    const QDir source(templateFor(password));
    const QString folder = m_dir.filePath(QStringLiteral("Testbedrijf072026"));
    QDir().mkpath(folder);
    for (const QString &file : source.entryList(QDir::Files))
        QFile::copy(source.filePath(file), QDir(folder).filePath(file));
    m_dataPad = folder + u'/';
}

} // namespace kv::test

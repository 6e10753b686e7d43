#include "core/session/administration.h"

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/session/session.h"

#include <QDir>
#include <QFile>

namespace kv {

void createAdministratie(const QString &folder, const QString &password, bool withNutrients, db::Durability durability)
{
    const QString passwordLine = EncodeerWachtwoord(password); // refused before anything is written
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        db::raise(db::ErrFileInUse, QStringLiteral("De map %1 kan niet worden gemaakt.").arg(folder));
    std::vector<schema::Db> databases{schema::Db::Main, schema::Db::Archive};
    if (withNutrients)
        databases.push_back(schema::Db::Nutrient);

    QStringList made;
    try {
        for (schema::Db which : databases) {
            const QString path = dir.filePath(QString::fromLatin1(schema::databaseName(which)) + QStringLiteral(".sqlite"));
            db::Database::create(path, password, which, durability);
            made << path;
        }
        if (!password.isEmpty()) {
            QFile file(dir.filePath(QStringLiteral("korvenal.pwd")));
            if (!file.open(QIODevice::WriteOnly) || file.write(passwordLine.toLatin1() + "\r\n") < 0)
                db::raise(db::ErrFileInUse, QStringLiteral("Het wachtwoordbestand kan niet worden geschreven."));
            made << file.fileName();
        }
    } catch (...) {
        for (const QString &path : std::as_const(made))
            for (const char *suffix : {"", "-wal", "-shm", ".locks"})
                QFile::remove(path + QLatin1String(suffix));
        throw;
    }
}

} // namespace kv

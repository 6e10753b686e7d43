#include "core/session/session.h"

#include "core/db/dberror.h"
#include "core/session/datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cmath>
#include <exception>
#include <optional>

namespace kv {
namespace {

// The first line of a data-folder file without its line break; nothing when the file is
// absent, and an error when it has no first line at all (zero bytes). Nothing else is trimmed:
// a password's "P" is written as a no-break space.
std::optional<QString> firstLine(const QString &dataPad, const QString &name)
{
    const QString path = findDataFile(dataPad, name);
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        db::raise(db::ErrFileInUse, QStringLiteral("Het bestand %1 kan niet worden gelezen.").arg(path));
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line); // the file holds character codes as single bytes
}

// Keeps the window painted during the slower steps of opening.
void letMessagesRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

bool isArchiveTable(const char *name)
{
    return qstrcmp(name, "FaktuurHistorie") == 0;
}

} // namespace

QString DecodeerWachtwoord(const QString &text)
{
    QString password;
    password.reserve(text.size());
    for (QChar c : text)
        password.prepend(QChar(char16_t(std::nearbyint(c.unicode() / 2.0))));
    return password;
}

QString EncodeerWachtwoord(const QString &password)
{
    QString line;
    for (QChar c : password) {
        // The file holds each doubled code as one byte, and a line break must not end it early.
        if (c.unicode() < 0x20 || c.unicode() >= 0x7f)
            db::raise(db::ErrInvalidPassword,
                      QStringLiteral("Het wachtwoord mag alleen letters zonder accent, cijfers, spaties en leestekens "
                                     "bevatten; '%1' kan niet in het wachtwoordbestand worden bewaard.").arg(c));
        line.prepend(QChar(char16_t(c.unicode() * 2)));
    }
    return line;
}

QString folderPassword(const QString &dataPad, const QString &file)
{
    const auto line = firstLine(dataPad, file);
    return line ? DecodeerWachtwoord(*line) : QString();
}

bool lockingOnEdit(const QString &dataPad)
{
    const auto line = firstLine(dataPad, QStringLiteral("korvenal.lock"));
    return !line || line->compare(u"false", Qt::CaseInsensitive) != 0;
}

void Workspace::BeginTrans()
{
    for (db::Database *d : m_databases)
        d->BeginTrans();
}

void Workspace::CommitTrans()
{
    for (db::Database *d : m_databases)
        d->CommitTrans();
}

// Every database is rolled back, even when one of them fails; the first failure is reported.
void Workspace::Rollback()
{
    std::exception_ptr first;
    for (db::Database *d : m_databases) {
        try {
            d->Rollback();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

bool Session::OpenAdministratie(const QString &dataPad)
{
    if (dataPad.isEmpty())
        return false;
    try {
        open(dataPad);
        return m_open = true;
    } catch (const db::DbError &e) {
        // Nothing of a half-opened administration stays reachable.
        m_tables.clear();
        m_workspace.m_databases.clear();
        m_admin.reset();
        m_archief.reset();
        if (m_openFailed)
            m_openFailed(e);
        return false;
    }
}

void Session::open(const QString &givenPad)
{
    // The folder is made the current directory below, so a relative one must not stay relative.
    const QString dataPad = QDir(givenPad).absolutePath() + u'/';
    const QString password = folderPassword(dataPad);
    letMessagesRun();
    m_lockOnEdit = lockingOnEdit(dataPad);
    letMessagesRun();

    QDir::setCurrent(dataPad); // as the suite's programs do; failure does not matter
    auto openDatabase = [&](const char *name) {
        const QString path = findDataFile(dataPad, QString::fromLatin1(name));
        if (path.isEmpty())
            db::raise(db::ErrFileNotFound, QStringLiteral("Kan bestand '%1' niet vinden.").arg(QLatin1String(name)));
        return db::Database::open(path, password);
    };
    m_admin = openDatabase("KorvenalDB.mdb");
    m_archief = openDatabase("Archief.mdb");
    m_admin->createMissingTables(schema::Db::Main);
    m_archief->createMissingTables(schema::Db::Archive);
    m_workspace.m_databases = {m_admin.get(), m_archief.get()};

    for (const SharedTable &shared : sharedTables()) {
        const QString name = QString::fromLatin1(shared.name);
        auto recordset = (isArchiveTable(shared.name) ? m_archief : m_admin)->OpenTable(name);
        if (shared.locking)
            recordset->setLockEdits(m_lockOnEdit);
        m_tables[name.toLower()] = std::move(recordset);
    }
}

void Session::requireOpen(const std::unique_ptr<db::Database> &database)
{
    if (!database)
        db::raise(db::ErrEngine, QStringLiteral("Er is geen administratie geopend."));
}

db::Database &Session::DBAdmin()
{
    requireOpen(m_admin);
    return *m_admin;
}

db::Database &Session::DBArchief()
{
    requireOpen(m_archief);
    return *m_archief;
}

db::Recordset &Session::table(const QString &name)
{
    const auto it = m_tables.find(name.toLower());
    if (it == m_tables.end())
        db::raise(db::ErrTableNotFound, QStringLiteral("De tabel %1 is niet geopend.").arg(name));
    return *it->second;
}

} // namespace kv

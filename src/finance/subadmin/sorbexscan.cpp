#include "finance/subadmin/sorbexscan.h"

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/statement.h"
#include "core/session/datafiles.h"
#include "core/session/session.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

constexpr int kHoogstens = 1000;

// The organisation's name: `Kerknaam` of the first row of the first table that has one.
QString kerknaam(db::Database &db)
{
    db::Statement tabellen = db.prepareOnce(u"SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"_s);
    while (tabellen.step()) {
        const QString tabel = tabellen.column(0).toString();
        db::Statement kolommen = db.prepareOnce(u"SELECT 1 FROM pragma_table_info(?) WHERE name = 'Kerknaam' COLLATE NOCASE"_s);
        kolommen.bind(1, tabel);
        if (!kolommen.step())
            continue;
        db::Statement naam = db.prepareOnce(u"SELECT Kerknaam FROM \""_s + QString(tabel).replace(u'"', u"\"\""_s) + u"\" LIMIT 1"_s);
        return naam.step() ? naam.column(0).toString().trimmed() : QString();
    }
    return {};
}

QString installatieWachtwoord(const QString &folder)
{
    return folderPassword(QDir(folder).absolutePath() + u'/', u"sorbex.pwd"_s);
}

// The administration in `map`, opened with its own "sorbex.pwd" or else the installation's
// password; nothing without a membership database.
std::optional<SorbexAdministratie> lees(const QString &map, const QString &installatie)
{
    const QString pad = QDir(map).absolutePath() + u'/';
    const QString leden = findDataFile(pad, u"Leden.mdb"_s);
    if (leden.isEmpty())
        return std::nullopt;
    SorbexAdministratie administratie{QDir::toNativeSeparators(pad.chopped(1)), {}, false};
    try {
        const QString eigen = findDataFile(pad, u"sorbex.pwd"_s);
        std::unique_ptr<db::Database> db = db::Database::openReadOnly(leden, eigen.isEmpty() ? installatie
                                                                                            : folderPassword(pad, u"sorbex.pwd"_s));
        administratie.naam = kerknaam(*db);
        administratie.geopend = true;
    } catch (const db::DbError &) {
        // listed all the same: the user sees which one cannot be read
    }
    return administratie;
}

} // namespace

QString SorbexAdministratie::getoond() const
{
    return map + u" - "_s + (geopend ? naam : u"(niet te openen)"_s);
}

bool isSorbexMap(const QString &folder)
{
    return !findDataFile(folder, u"Sorbex.exe"_s).isEmpty() || !findDataFile(folder, u"Quenlor.exe"_s).isEmpty();
}

std::vector<SorbexAdministratie> sorbexAdministraties(const QString &folder, size_t hoogstens)
{
    // Its "data" folder, in whatever case it was made.
    QString data;
    for (const QString &naam : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (naam.compare(u"data"_s, Qt::CaseInsensitive) == 0)
            data = QDir(folder).filePath(naam);
    if (data.isEmpty())
        return {};
    QStringList mappen = QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    if (mappen.size() > kHoogstens)
        mappen = mappen.mid(0, kHoogstens);
    const QString installatie = installatieWachtwoord(folder);
    std::vector<SorbexAdministratie> uit;
    for (const QString &naam : std::as_const(mappen)) {
        if (uit.size() == hoogstens)
            break;
        if (naam.size() == 6)
            if (std::optional<SorbexAdministratie> administratie = lees(QDir(data).filePath(naam), installatie))
                uit.push_back(std::move(*administratie));
    }
    return uit;
}

std::optional<SorbexAdministratie> sorbexAdministratie(const QString &folder, const QString &map)
{
    return lees(map, installatieWachtwoord(folder));
}

} // namespace kv::finance

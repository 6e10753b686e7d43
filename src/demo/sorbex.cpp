#include "demo/sorbex.h"

#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "schema/tables.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace kv::demo {
namespace {

void schrijf(const QString &pad, const QByteArray &inhoud)
{
    QFile file(pad);
    if (!file.open(QIODevice::WriteOnly) || file.write(inhoud) != inhoud.size())
        db::raise(db::ErrFileInUse, u"Het bestand %1 kan niet worden geschreven."_s.arg(pad));
}

} // namespace

void createLeden(const QString &map, const QString &wachtwoord, const QString &kerknaam)
{
    QDir().mkpath(map);
    const schema::Table tabel{"Instellingen", schema::Db::Main, {schema::text("Kerknaam", 100), schema::text("Plaats", 50)}, {}};
    auto db = db::Database::create(map + u"/Leden.sqlite"_s, wachtwoord, {tabel});
    db::Statement rij = db->prepareOnce(u"INSERT INTO Instellingen (Kerknaam, Plaats) VALUES (?, 'Ommen')"_s);
    rij.bind(1, kerknaam);
    rij.step();
}

void createSorbexInstallatie(const QString &folder)
{
    const QString root = QDir(folder).absolutePath() + u'/';
    QDir().mkpath(root + u"data"_s);
    schrijf(root + u"SORBEX.EXE"_s, "MZ");
    schrijf(root + u"sorbex.pwd"_s, EncodeerWachtwoord(u"ledenadmin"_s).toLatin1() + "\r\n");
    createLeden(root + u"data/GKOMMN"_s, u"ledenadmin"_s, u"Gereformeerde Kerk Ommen"_s);
    createLeden(root + u"data/HGDALF"_s, u"ledenadmin"_s, u"Hervormde Gemeente Dalfsen"_s);
    QDir().mkpath(root + u"data/LEEG01"_s);                                                  // no database
    createLeden(root + u"data/ARCHIEF"_s, u"ledenadmin"_s, u"Oud archief"_s);                     // seven characters
    createLeden(root + u"data/PKNVEC"_s, u"anders"_s, u"Protestantse Gemeente Vechtdal"_s);        // another password
}

} // namespace kv::demo

#pragma once

#include "core/db/database.h"
#include "core/db/statement.h"
#include "demo/demoadministration.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QVariant>

#include <map>

// Administrations with bookings after the year end, generated once per scale and copied for
// each test, and what the tests compare of them.
namespace correctiontest {

inline const QString kYearEnd = QStringLiteral("20261231");

// A copy of a generated administration in a folder of its own: `<dir>/<name>012026/`.
inline QString copyOf(const kv::demo::Scale &scale, const QTemporaryDir &dir, const QString &name = QStringLiteral("Akkerhof"))
{
    static QTemporaryDir root;
    static QHash<QString, QString> made;
    const QString key = QStringLiteral("%1-%2-%3-%4").arg(scale.ledgerLines).arg(scale.lateLines).arg(scale.openItems).arg(scale.orders);
    auto it = made.find(key);
    if (it == made.end()) {
        const QString folder = root.filePath(QStringLiteral("Sjabloon%1012026").arg(made.size()));
        kv::demo::generateAdministratie(folder, scale);
        it = made.insert(key, folder);
    }
    const QDir source(*it);
    const QString folder = dir.filePath(name + QStringLiteral("012026"));
    QDir().mkpath(folder);
    for (const QString &file : source.entryList({QStringLiteral("*.sqlite")}, QDir::Files))
        QFile::copy(source.filePath(file), QDir(folder).filePath(file));
    return folder + u'/';
}

// Every row of a table by row id, the fields in the table's order.
using Rows = std::map<qint64, QVariantList>;

inline Rows rowsOf(kv::db::Database &db, const QString &table)
{
    Rows rows;
    kv::db::Statement s = db.prepareOnce(u"SELECT rowid, * FROM " + table);
    const int columns = sqlite3_column_count(s.get());
    while (s.step()) {
        QVariantList values;
        for (int i = 1; i < columns; ++i)
            values << s.column(i);
        rows[s.column(0).toLongLong()] = values;
    }
    return rows;
}

inline int field(kv::db::Database &db, const QString &table, QStringView name)
{
    return db.table(table).column(name);
}

inline const QStringList kTables{QStringLiteral("GrootboekMutaties"), QStringLiteral("Journaal"),
                                 QStringLiteral("Betalingen"), QStringLiteral("OpenstaandePosten")};

// The four tables the correction writes.
struct State {
    std::map<QString, Rows> tables;
    static State of(kv::db::Database &db)
    {
        State state;
        for (const QString &table : kTables)
            state.tables[table] = rowsOf(db, table);
        return state;
    }
    const Rows &operator[](const QString &table) const { return tables.at(table); }
    bool operator==(const State &) const = default;
};

inline QString logText(const QString &dataPad)
{
    QString text;
    for (const QString &file : QDir(dataPad).entryList({QStringLiteral("kvpro-*.log")}, QDir::Files)) {
        QFile log(QDir(dataPad).filePath(file));
        if (log.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(log.readAll());
    }
    return text;
}

inline const QString kAfgerond = QStringLiteral("BOEKSTUK  : + Afgerond      : Boekdatum en periode zijn gewijzigd\r\n");

} // namespace correctiontest

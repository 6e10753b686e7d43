#pragma once

#include "schema/schema.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>


namespace kv::db {

class Database;

struct ColumnInfo {
    QString name;
    schema::Type type = schema::Type::Text;
    int size = 0;
};

struct IndexInfo {
    QString name;             // the Jet name, e.g. "PrimaryKey"
    std::vector<int> columns; // positions in TableInfo::columns
    bool unique = false;
};

// What the engine knows of one table: its real name, columns and indexes, read from the file.
struct TableInfo {
    QString name;
    std::vector<ColumnInfo> columns;
    std::vector<IndexInfo> indexes;
    QHash<QString, int> byName; // lower-case name -> column position

    int column(QStringView name) const; // -1 when absent
    const IndexInfo *index(QStringView name) const;
    int counterColumn() const;          // the autonumber column, -1 when none

    static TableInfo read(Database &db, const QString &table);
};

// The declared SQLite type that carries a schema type (and back).
QString declaredType(const schema::Field &field);
ColumnInfo columnFromDeclaration(const QString &name, const QString &declared);

// A table, field or index name as an SQL identifier.
inline QString quotedName(const QString &name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The SQLite name of an index: "<table>.<index>", since SQLite index names are per file.
QString sqliteIndexName(const QString &table, const QString &index);

// CREATE TABLE and CREATE INDEX statements for a schema table.
QStringList createStatements(const schema::Table &table);

} // namespace kv::db

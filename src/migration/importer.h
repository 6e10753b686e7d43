#pragma once

#include "migration/source.h"

#include <QStringList>

#include <deque>
#include <map>
#include <memory>

namespace kv {
class Progress;
namespace db {
class Database;
}
} // namespace kv

namespace kv::migration {

// What an import could not bring over as it stands, one line each, naming the table, the key
// and the value. Each line is also written to standard error as it is found.
class Report {
public:
    void add(const QString &line);
    const QStringList &lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// The rows of one source table: read, and written into the administration or into the side
// database of what the schema does not know.
struct TableCount {
    QString table;
    qint64 read = 0, written = 0;
    bool unknown = false;
};

// The file beside a new administration that keeps what its schema has no place for.
inline constexpr QStringView UnknownDatabaseName = u"Onbekend.sqlite";

// Copies source tables into an administration made from the schema: tables and columns matched
// by name without regard to case, values converted to the field's type, AutoNumbers kept.
// Unknown tables and columns go whole into the side database; values that do not convert
// stay Null and are reported.
class Importer {
public:
    // `databases`: the administration's open files, by the schema's database; `folder` is where
    // the side database is made (with `password`) when it is needed.
    Importer(std::map<schema::Db, db::Database *> databases, QString folder, QString password, Report &report,
             Progress *progress);
    ~Importer();
    // Copies every table of `source`; false when the progress asked to stop.
    bool copy(SourceReader &source);
    const std::vector<TableCount> &counts() const { return m_counts; }

private:
    struct Columns;
    struct Plan;
    Plan plan(const SourceTable &table);
    bool copyTable(SourceReader &source, const SourceTable &table);
    // Writes one row (the `number`th) into `to`; false when the table refuses it (reported).
    bool insert(const Plan &plan, Columns &to, const SourceTable &table, const Row &row, qint64 number);
    db::Database &unknownDatabase();
    QString unknownTable(const QString &name, const std::vector<SourceColumn> &columns);

    std::map<schema::Db, db::Database *> m_databases;
    QString m_folder, m_password;
    Report &m_report;
    Progress *m_progress;
    std::unique_ptr<db::Database> m_unknown;
    std::deque<QByteArray> m_names; // the side database's layouts point into these
    std::vector<TableCount> m_counts;
};

} // namespace kv::migration

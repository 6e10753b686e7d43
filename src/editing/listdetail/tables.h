#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

namespace kv {
class Context;
namespace db {
class Database;
class Recordset;
} // namespace db
} // namespace kv

namespace kv::listdetail {

// The record sets a member works on: the shared ones of the administration (or its own on the
// administration's database for a table the session does not share), or those of a database
// of its own in the data folder (the nutrients in Grondstof.mdb), opened with the
// administration's password.
class MemberTables {
public:
    // `file` empty: the administration's session.
    MemberTables(Context &ctx, const QString &file);
    ~MemberTables();

    db::Database &database();
    db::Recordset &table(const QString &name);

private:
    db::Database *own();

    Context &m_ctx;
    QString m_file;
    std::unique_ptr<db::Database> m_own;
    QHash<QString, std::shared_ptr<db::Recordset>> m_tables; // by lower-case name
};

// Whether the session holds a shared record set of the table; the others a screen opens itself.
bool sharedBySession(const QString &table);

// Visits the records of `rs` whose `field` holds `value`, walking the index named after the
// field (the linked records of one record).
void forEachHolding(db::Recordset &rs, const QString &field, const QString &value,
                    const std::function<void(db::Recordset &)> &visit);

} // namespace kv::listdetail

#pragma once

#include <QString>
#include <QVariant>

#include <sqlite3.h>

#include <utility>

namespace kv::db {

// A prepared statement that resets itself when it goes out of scope, so that no read
// transaction stays open between calls into the engine.
class Statement {
public:
    Statement() = default;
    // An owned statement is finalized at the end, a borrowed (cached) one only reset.
    explicit Statement(sqlite3_stmt *stmt, bool owned = false) : m_stmt(stmt), m_owned(owned) {}
    Statement(Statement &&other) noexcept
        : m_stmt(std::exchange(other.m_stmt, nullptr)), m_owned(other.m_owned)
    {
    }
    Statement &operator=(Statement &&other) noexcept
    {
        std::swap(m_stmt, other.m_stmt);
        std::swap(m_owned, other.m_owned);
        return *this;
    }
    ~Statement()
    {
        reset();
        if (m_owned)
            sqlite3_finalize(m_stmt);
    }

    sqlite3_stmt *get() const { return m_stmt; }
    void bind(int position, const QVariant &value);
    void bindAll(const QVariantList &values, int first = 1);
    // The current row's columns of `row`, exactly as stored, as parameters 1, 2, ...: a row
    // copied to another file without passing through QVariant.
    void bindRow(const Statement &row);
    // Steps once; true while there is a row. Engine errors become DbError.
    bool step();
    void reset()
    {
        if (m_stmt) {
            sqlite3_reset(m_stmt);
            sqlite3_clear_bindings(m_stmt);
        }
    }

    QVariant column(int i) const;
    int columnCount() const { return sqlite3_column_count(m_stmt); }
    QString columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(m_stmt, i)); }

private:
    sqlite3_stmt *m_stmt = nullptr;
    bool m_owned = false;
};

// Turns an SQLite result code into a DbError with a Jet number.
[[noreturn]] void raiseSqlite(sqlite3 *db, int rc, const QString &context = {});

} // namespace kv::db

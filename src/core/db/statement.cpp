#include "core/db/statement.h"

#include "core/db/dberror.h"

#include <QDateTime>

namespace kv::db {

void Statement::bind(int position, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, position, value.toBool() ? -1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::UChar:
            rc = sqlite3_bind_int64(m_stmt, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, position, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(m_stmt, position, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        raiseSqlite(sqlite3_db_handle(m_stmt), rc);
}

void Statement::bindAll(const QVariantList &values, int first)
{
    for (int i = 0; i < values.size(); ++i)
        bind(first + i, values[i]);
}

void Statement::bindRow(const Statement &row)
{
    for (int i = 0; i < row.columnCount(); ++i)
        if (const int rc = sqlite3_bind_value(m_stmt, i + 1, sqlite3_column_value(row.m_stmt, i)); rc != SQLITE_OK)
            raiseSqlite(sqlite3_db_handle(m_stmt), rc);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3 *db = sqlite3_db_handle(m_stmt);
    sqlite3_reset(m_stmt);
    raiseSqlite(db, rc);
}

QVariant Statement::column(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i)),
                                 sqlite3_column_bytes(m_stmt, i));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, i)), sqlite3_column_bytes(m_stmt, i));
    default: return QVariant();
    }
}

void raiseSqlite(sqlite3 *db, int rc, const QString &context)
{
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    const QString detail = context.isEmpty() ? message : context + QStringLiteral(" (") + message + u')';
    switch (rc & 0xff) {
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            raise(ErrDuplicateKey,
                  QStringLiteral("De gewijzigde gegevens zijn niet opgeslagen omdat er dan dubbele "
                                 "waarden in een unieke index zouden ontstaan."));
        raise(ErrEngine, detail);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        raise(ErrDatabaseLocked,
              QStringLiteral("De database is bezet door een andere gebruiker; probeer het opnieuw."));
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        raise(ErrEngine, QStringLiteral("Het bestand is geen geldige database: ") + detail);
    case SQLITE_ERROR:
        if (message.startsWith(QLatin1String("no such table")))
            raise(ErrTableNotFound, QStringLiteral("De invoertabel of query is niet gevonden: ") + detail);
        if (message.startsWith(QLatin1String("no such column")) || message.contains(QLatin1String("syntax error"))
            || message.startsWith(QLatin1String("no such function")))
            raise(ErrSyntax, QStringLiteral("Syntaxisfout in query-expressie: ") + detail);
        raise(ErrEngine, detail);
    default:
        raise(ErrEngine, detail);
    }
}

} // namespace kv::db

#include "core/db/numbermarks.h"

#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/db/tableinfo.h"

namespace kv::db {
namespace {

QString markName(const QString &table, const QString &field)
{
    return u"number:" + table.toLower() + u'.' + field.toLower();
}

// Administrations made before marks were kept per field hold the counter's mark under this name.
QVariant earlierCounterMark(Database &db, const QString &table, const QString &field)
{
    const TableInfo &info = db.table(table);
    const int counter = info.counterColumn();
    if (counter < 0 || info.columns[size_t(counter)].name.compare(field, Qt::CaseInsensitive) != 0)
        return {};
    return QString(u"counter:" + table.toLower());
}

} // namespace

qint64 nextNumber(Database &db, const QString &table, const QString &field)
{
    Statement next = db.prepare(QStringLiteral("SELECT max(ifnull((SELECT max(%1) FROM %2), 0), "
                                               "ifnull((SELECT max(value) FROM kv_meta WHERE name IN (?1, ?2)), 0)) + 1")
                                    .arg(quotedName(field), quotedName(table)));
    next.bind(1, markName(table, field));
    next.bind(2, earlierCounterMark(db, table, field));
    next.step();
    return next.column(0).toLongLong();
}

void numberUsed(Database &db, const QString &table, const QString &field, qint64 number)
{
    Statement used = db.prepare(QStringLiteral("INSERT INTO kv_meta (name, value) VALUES (?1, ?2) "
                                               "ON CONFLICT (name) DO UPDATE SET value = max(value, excluded.value)"));
    used.bind(1, markName(table, field));
    used.bind(2, number);
    used.step();
}

} // namespace kv::db

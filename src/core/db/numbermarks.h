#pragma once

#include <QString>

namespace kv::db {

class Database;

// Numbers a table hands out (counters, personnel and vehicle numbers, code numbers) are never
// handed out twice, not even after the record with the highest one was deleted: records that
// still name it (a driver's trips, a drying table's articles) must not come to belong to a new
// record. The highest number ever used per table and field is kept in kv_meta, as Jet keeps
// its AutoNumber.

// The next number of `field`: one above both the highest stored and the highest ever used.
// Inside the inserting transaction this is the number to give; outside it only a proposal.
qint64 nextNumber(Database &db, const QString &table, const QString &field);

// Records that `number` was used in `field`, so it is never proposed again. Call it in the
// transaction that stores the number.
void numberUsed(Database &db, const QString &table, const QString &field, qint64 number);

} // namespace kv::db

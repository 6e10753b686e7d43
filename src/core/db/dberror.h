#pragma once

#include <QString>

#include <stdexcept>

namespace kv::db {

// Engine errors carry the number and description the suite's programs know from Jet, so that
// screens can log and show them the same way.
enum ErrorNumber {
    ErrFileNotFound = 3024,       // could not find the database file
    ErrNoCurrentRecord = 3021,
    ErrDuplicateKey = 3022,
    ErrUpdateWithoutEdit = 3020,
    ErrReadOnly = 3027,
    ErrInvalidPassword = 3031,
    ErrFileInUse = 3045,
    ErrLockFailed = 3050,         // the system refused a lock request (not: held by another)
    ErrSyntax = 3075,
    ErrTableNotFound = 3078,
    ErrFieldTooSmall = 3163,
    ErrRecordDeleted = 3167,
    ErrChangedByOtherUser = 3197,
    ErrLockedHere = 3188,         // held by another record set of this program
    ErrDatabaseLocked = 3218,     // the file is busy beyond the wait time
    ErrLocked = 3260,
    ErrItemNotFound = 3265,       // no field of that name
    ErrNumericOverflow = 3349,
    ErrUnrecognizedFormat = 3343, // not a database of the suite (an empty file)
    ErrDataTypeConversion = 3421,
    ErrNotAnIndex = 3800,
    ErrEngine = 3000,             // anything else the storage reports
};

class DbError : public std::runtime_error {
public:
    DbError(int number, const QString &description);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

[[noreturn]] void raise(int number, const QString &description);

} // namespace kv::db

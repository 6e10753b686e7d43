#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

namespace kv {
class Context;
namespace db {
class Database;
class Recordset;
} // namespace db

// One field the user changed in a record a screen loaded.
struct FieldChange {
    QString field;
    QString caption;  // how the question names the field
    QVariant loaded;  // what was stored when the screen read the record
    QVariant value;   // what the user wants stored
    QString input;    // the user's input, as the question quotes it
};

// A field another program changed meanwhile, and what it stores now.
struct TheirValue {
    QString field;
    QVariant value;
};

// Where and how a screen's record is saved.
struct RecordSave {
    db::Database &db;
    db::Recordset &rs;
    std::function<bool(db::Recordset &)> seek;                              // onto the record; false when gone
    std::function<QString(const QString &field, const QVariant &stored)> shown; // a stored value as the screen shows it
    std::function<void()> alongside = {}; // more writes of the same save, in its transaction
};

enum class SaveResult {
    Saved,   // the changes are stored; each change's `loaded` is now what was written
    Theirs,  // the user kept the other program's values (in `theirs`); nothing was written
    Deleted, // the record is gone (the user was told); nothing was written
};

// Saves a record a screen loaded earlier: only the fields the user changed are written, so
// another program's changes to other fields survive. A changed field that another program
// changed too since loading is overwritten only when the user says so. The record is locked
// (Edit) at this moment, not while the screen is open. Engine errors are thrown.
SaveResult saveChanges(Context &ctx, const RecordSave &save, std::vector<FieldChange> &changes,
                       std::vector<TheirValue> &theirs);

inline constexpr QStringView IntussenGewijzigd = u"Dit record is intussen door een andere gebruiker gewijzigd:";
inline constexpr QStringView TochOpslaan = u"Wilt u uw invoer toch opslaan?";
inline constexpr QStringView IntussenVerwijderd = u"Dit record is intussen door een andere gebruiker verwijderd.";

} // namespace kv

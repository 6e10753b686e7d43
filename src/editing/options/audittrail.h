#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace kv {
class Context;
}

namespace kv::options {

// Where a value of the trail lives.
inline constexpr QStringView TrailDatabase = u"DB", TrailRegistry = u"REG", TrailFile = u"BESTAND";

// One value a save changed: where it lives ("DB", "REG", "BESTAND"), its name
// ("UserGegevens.FactuurNr", a registry value, a file), and its text before and after
// (Null: there was none).
struct AuditEntry {
    QString place;
    QString name;
    QVariant before;
    QVariant after;
};

// A save as the trail keeps it.
struct LoggedSave {
    qint64 number = 0;
    QDateTime when;
    std::vector<AuditEntry> entries;
};

// A stored value as the trail writes it: numbers in C notation, yes/no as -1/0, Null as Null.
QVariant logText(const QVariant &value);

// Writes the rows of one save of `form` by this user on this workstation, in the caller's
// transaction, and returns its number. `undoes`: the save that this one undoes.
qint64 recordSave(Context &ctx, const QString &form, const std::vector<AuditEntry> &entries, qint64 undoes = 0);

// The latest save of `form` by this user on this workstation that was neither undone nor
// itself an undo.
std::optional<LoggedSave> lastSave(Context &ctx, const QString &form);

// Marks `save` as undone by the save `by`, in the caller's transaction.
void markUndone(Context &ctx, qint64 save, qint64 by);

} // namespace kv::options

#pragma once

#include "editing/options/audittrail.h"
#include "editing/options/option.h"

#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace kv {
class Context;
namespace db {
class Recordset;
}
} // namespace kv

namespace kv::options {

// An option screen without its widgets: loads every option's state, lets the user change them
// and saves what changed, all or nothing.
class OptionsLogic {
public:
    // Loads; throws what the engine throws.
    OptionsLogic(Context &ctx, const OptionScreen &screen);

    const OptionScreen &screen() const { return m_screen; }
    // "on"/"off" for a toggle, the text of a field, the chosen item's position for a choice.
    const QString &state(int option) const { return m_states[size_t(option)]; }
    // The state of the control a screen calls `control` ("field 23").
    const QString &stateOf(const QString &control) const { return state(indexOf(control)); }
    // Sets a control's state, and that of the values that follow it; a choice of the user
    // (`byUser`) also runs what the screen does on it at once.
    void setState(int option, const QString &state, bool byUser = true);
    // Takes a value another part of the screen stored meanwhile as loaded (the periods a change
    // of their type made).
    void showStored(int option, const QVariant &stored);
    Context &context() const { return m_ctx; }
    int indexOf(const QString &control) const;
    // What the option held when loaded or last saved; Null when nothing was stored.
    const QVariant &loaded(int option) const { return m_loaded[size_t(option)]; }

    // Checks every field first: bad input gets a message naming the field and nothing is
    // written. Then writes what changed: the registry values in one replace of the store, every
    // marker file of the screen anew (each replaced whole), the `UserGegevens` columns in one
    // transaction, checked against what another program stored meanwhile (saveChanges). When
    // the database part is not written (the user kept the other program's values, or it
    // failed) the registry values and the files are put back as they were. False keeps the screen
    // open: an option another program changed shows its value, the rest of the input stays.
    bool save();

    // Undoes this screen's latest save by this user on this workstation that is not undone yet,
    // after asking: every value it changed back as it was, all or nothing, itself recorded as a
    // save. Again steps further back. A database value changed since cannot be undone.
    bool undoLast();

    // A field locked because numbers made with it are in use; released one at a time, after the
    // user confirmed it, with a line in the log. The release lasts while the screen is open.
    bool locked(int option) const { return m_locked[size_t(option)]; }
    bool release(int option);

    // Whether saving would store something else for the option than is stored.
    bool changed(int option) const;
    // What the screen's own steps note between its questions and its writes.
    QVariantHash &notes() { return m_notes; }

    // The registry value or the file an option is kept in, as it is named on this workstation
    // for this administration; a column as Table.Column.
    QString storedName(int option) const;

private:
    void load();
    QString markerPath(const QString &file) const;
    QString markerName(const Option &option) const;
    void writeWholeFiles(class OutsideWrites &outside, std::vector<AuditEntry> &entries);
    void removeWithAbsentFiles() const;
    QString named(int option) const;
    QString stored(int option) const; // the text to write for the option's state
    std::optional<QVariant> storedAt(int option) const;
    QString tableOf(const Option &option) const;
    bool perYear(const QString &table) const;
    bool seekRecord(db::Recordset &rs, const QString &table, bool orEarlier) const;
    db::Recordset &recordsOf(const QString &table);
    QString trailRecord(const QString &table) const;
    bool ownNumber(int option) const; // a counter kept in this workstation's registry
    void followLeaders();
    void clearUnknownAccounts();
    void writeOtherTables(const std::vector<int> &changed, std::vector<AuditEntry> &entries);
    std::map<QString, QStringList> markerFiles() const;
    QString failedCheck() const;
    bool saveStates();
    bool writeUserGegevens(const std::vector<int> &changed, const std::vector<AuditEntry> &entries);

    Context &m_ctx;
    const OptionScreen &m_screen;
    std::vector<QString> m_states, m_loadedStates;
    std::vector<QVariant> m_loaded; // as stored when loaded
    std::vector<bool> m_locked, m_own;
    QStringList m_released; // the controls released while the screen is open
    QVariantHash m_notes;
    bool m_newYear = false; // the year's record is not there yet: saving adds it
    std::map<QString, std::shared_ptr<db::Recordset>> m_opened; // tables the session does not share
};

// How the trail and the undo question show a secret value.
inline constexpr QStringView Verborgen = u"(verborgen)";

} // namespace kv::options

#pragma once

#include "editing/codetables/catalog.h"

#include <QString>

#include <vector>

namespace kv {
class Context;
struct ListSource;
}

namespace kv::codetables {

// One line of the editor: ticked entries are active in the pick lists.
struct Entry {
    QString text;
    bool ticked = false;
    bool operator==(const Entry &) const = default;
};

// The logic of `frmHulp`: one code table as a fixed number of entries, written back whole when
// the user changed something, and not over another program's change without asking.
// The edit protocol runs through the context's `EditMode`/`EditKey`, as between every list
// and its popup, so the popup and the auto-save window need not know this class.
class HulpList {
public:
    // Loads the table named in `ctx.EditKey`; throws what the engine throws.
    explicit HulpList(Context &ctx);

    const QString &tableName() const { return m_table; }
    const QString &tableKey() const { return m_key; } // lower case
    const QString &caption() const { return m_caption; }
    const QString &example() const { return m_example; } // empty when the table has none
    const std::vector<Entry> &entries() const { return m_entries; }

    void setTicked(int row, bool ticked);
    bool changed() const { return m_entries != m_loadedEntries; }

    // Hands the entry to the popup: `EditMode` "edit", `EditKey` its text.
    void beginEdit(int row);
    // Takes the popup's answer; true when the entry changed (the auto-save export then ran).
    // `EditKey` holds the table again afterwards.
    bool endEdit(int row);

    // After `frmHulpAutoSave`: exports at once when it answered "refresh".
    void autoSaveClosed();

    bool sorted() const { return m_sorted; }
    void setSorted(bool sorted); // written at once

    enum class Saved { Unchanged, Written, Reloaded };
    // When the user changed something, rewrites the table as the list stands, in one
    // transaction: `CodeNr` 1..n in list order. When another program changed the stored rows
    // since they were loaded, the user is asked first; no reloads the table, dropping the
    // user's changes (after saying so).
    Saved save();

private:
    void load();
    bool readSorted();
    std::vector<Entry> readEntries();
    QStringList differences(const std::vector<Entry> &now) const;
    bool overwrite(const QStringList &differences);
    void rewrite();

    Context &m_ctx;
    QString m_table, m_key;
    QString m_caption, m_example;
    std::vector<Entry> m_entries;
    std::vector<Entry> m_loadedEntries; // as read: what the user changed, and what another program did
    bool m_sorted = false;
};

// The table as its editor lists it, for an export: every entry with whether it is active in
// the pick lists. `list` must outlive the source.
ListSource listSource(const HulpList &list);

} // namespace kv::codetables

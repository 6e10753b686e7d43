#pragma once

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"

#include <unordered_map>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kv {

// The engine's default workspace: transactions over both databases of the session.
class Workspace {
public:
    void BeginTrans();
    void CommitTrans();
    void Rollback();

private:
    friend class Session;
    std::vector<db::Database *> m_databases;
};

// The open administration: the main database `DBAdmin`, the archive `DBArchief`, and one shared
// table record set per table of the start-up list, addressed by name without regard to case.
// Screens use the shared record sets and never close them; what they open themselves on
// `DBAdmin` they close themselves.
class Session {
public:
    // Opens the administration in `dataPad`. False when anything is missing or refused: the
    // folder, either database, the password, a table of the list. Nothing is shown; the
    // handler of onOpenFailed hears why.
    bool OpenAdministratie(const QString &dataPad);
    void onOpenFailed(std::function<void(const db::DbError &)> handler) { m_openFailed = std::move(handler); }

    // Throw a DbError when no administration is open.
    db::Database &DBAdmin();
    db::Database &DBArchief();
    Workspace &WSAdmin() { return m_workspace; }
    bool isOpen() const { return m_open; }

    // The shared record set of `table`; throws 3078 for a table outside the start-up list.
    db::Recordset &table(const QString &name);
    db::Recordset &operator[](const QString &name) { return table(name); }

    // Whether the record sets of the locking list lock a record when an edit starts.
    bool locksOnEdit() const { return m_lockOnEdit; }

    // The tables opened at start-up, in order; `locking` marks those that follow "korvenal.lock".
    struct SharedTable {
        const char *name;
        bool locking;
    };
    static const std::vector<SharedTable> &sharedTables();

private:
    void open(const QString &dataPad);
    static void requireOpen(const std::unique_ptr<db::Database> &database);

    std::unique_ptr<db::Database> m_admin, m_archief;
    Workspace m_workspace;
    std::unordered_map<QString, std::unique_ptr<db::Recordset>> m_tables; // by lower-case name
    bool m_lockOnEdit = true;
    bool m_open = false;
    std::function<void(const db::DbError &)> m_openFailed;
};

// The password of a password file's line: each character's code halved (halves rounded to
// even), the whole text reversed.
QString DecodeerWachtwoord(const QString &text);
// The line a password file holds for `password`. Throws 3031 for a character the file cannot
// hold: anything outside printable ASCII.
QString EncodeerWachtwoord(const QString &password);
// The password of every database of the data folder, from its korvenal.pwd (or another such
// password file); empty without one.
QString folderPassword(const QString &dataPad, const QString &file = QStringLiteral("korvenal.pwd"));
// Whether record sets of the locking list lock a record when an edit starts: yes, unless the
// folder's korvenal.lock says "false".
bool lockingOnEdit(const QString &dataPad);

} // namespace kv

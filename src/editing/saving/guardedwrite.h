#pragma once

#include "core/db/database.h"

namespace kv {

// Saving what a screen loaded a while ago without overwriting what another program stored
// meanwhile. `compare` runs inside the write transaction and returns what differs from what
// the screen loaded, so nothing can slip in between the comparison and the write; when it
// finds nothing, `write` follows in the same transaction. Otherwise the transaction is given up
// and `overwrite` asks the user, outside it, so that no other program waits on a dialog: true
// (the caller now takes what it was shown as loaded) compares and writes again, and a third
// change made meanwhile is asked about in turn; false gives up. True when written.
// Never call it inside an open transaction: the question would hold the database.
template <typename Compare, typename Write, typename Overwrite>
bool writeGuarded(db::Database &db, Compare compare, Write write, Overwrite overwrite)
{
    Q_ASSERT(!db.inTransaction());
    for (;;) {
        bool written = false;
        const auto differences = db.write([&] {
            auto found = compare();
            if (found.empty()) {
                write();
                written = true;
            }
            return found;
        });
        if (written)
            return true;
        if (!overwrite(differences))
            return false;
    }
}

} // namespace kv

#pragma once

#include <QStringView>

struct sqlite3;

namespace kv::db {

// Registers on a connection what makes SQLite compare and compute like Jet:
// - the collation JET: text compares without regard to case (every text column uses it);
// - the functions the translated Jet SQL calls: jet_left, jet_right, jet_mid, jet_instr,
//   jet_lcase, jet_ucase, jet_cstr, jet_len, jet_trim, jet_ltrim, jet_rtrim, jet_asc, jet_val.
void registerJetFunctions(sqlite3 *db);

// The JET collation as a plain function, for code that compares keys itself.
int jetCompare(QStringView a, QStringView b);

} // namespace kv::db

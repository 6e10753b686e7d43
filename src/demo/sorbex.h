#pragma once

#include <QString>

namespace kv::demo {

// A Sorbex installation beside the demo, for the sub-administration's link window: its program
// "SORBEX.EXE" (in the case an old installer left it), "sorbex.pwd" and under "data" two
// administrations with their "Leden" database, one folder without a database, one whose name
// is not six characters, and one whose database has another password than the installation's
// sorbex.pwd.
void createSorbexInstallatie(const QString &folder);

// The membership database of a Sorbex administration in `map`: "Leden.sqlite" with the
// organisation's name in its table Instellingen, opened with `wachtwoord`.
void createLeden(const QString &map, const QString &wachtwoord, const QString &kerknaam);

} // namespace kv::demo

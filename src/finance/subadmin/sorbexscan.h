#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kv::finance {

// An administration of a Sorbex installation, as the link window lists it.
struct SorbexAdministratie {
    QString map;      // its data folder
    QString naam;     // the organisation's name (`Kerknaam`)
    bool geopend = false;
    // "<folder> - <name>", or "<folder> - (niet te openen)" when its database could not be read.
    QString getoond() const;
};

// Whether `folder` holds a Sorbex installation: its program "Sorbex.exe" or "Quenlor.exe", in
// any case.
bool isSorbexMap(const QString &folder);

// The administrations of the installation in `folder`: the folders of six characters under its
// "data" folder (at most 1000 looked at, in name order) that hold the membership database
// "Leden.MDB" (as .mdb or .sqlite, in any case), each with the organisation's name read from
// the first of its tables that has a `Kerknaam`. The database is opened read-only with the
// password of "sorbex.pwd" (the administration's own, else the installation's); nothing of
// the installation is ever written.
// With `hoogstens`, the scan stops when it has found that many.
std::vector<SorbexAdministratie> sorbexAdministraties(const QString &folder, size_t hoogstens = SIZE_MAX);

// One administration of the installation in `folder`: its data folder `map`; nothing when it
// holds no membership database.
std::optional<SorbexAdministratie> sorbexAdministratie(const QString &folder, const QString &map);

} // namespace kv::finance

#pragma once

#include <QString>

namespace kv {

// The initials of a person's first names: "Jan Willem" gives "J.W.", "IJsbrand" "IJ.",
// "Thomas" "Th.", "Sjoerd" "Sj.", "Anne-Marie" "A-M.".
QString GetVoorletters(QStringView voornamen);

} // namespace kv

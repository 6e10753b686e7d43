#pragma once

#include "core/db/database.h"

#include <QString>

namespace kv {

// Makes a new, empty administration in `folder` (created when missing): the main and archive
// databases with every table of the schema, the nutrient database when asked for, and, when a
// password is given, the password file. Nothing is left behind when it fails.
void createAdministratie(const QString &folder, const QString &password, bool withNutrients = false,
                         db::Durability durability = db::Durability::EachCommit);

} // namespace kv

#pragma once

#include "editing/listdetail/member.h"

namespace kv::finance {

// The booking periods (frmAdministratiePeriode with frmAdministratiePeriodePopup): listed,
// edited and added one by one, never deleted; kept in the settings trail.
const listdetail::Member &periodsMember();

} // namespace kv::finance

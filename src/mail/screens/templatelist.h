#pragma once

#include "editing/listdetail/member.h"

namespace kv {

// The e-mail templates (frmEmailServer with the editor frmEmailServerPopup) and, above them,
// the server they are sent by, changed through the server dialog.
const listdetail::Member &templatesMember();

} // namespace kv

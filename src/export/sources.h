#pragma once

#include "core/jobs/listsource.h"

namespace kv::exporting {

// The lists of the record-editing framework by the name the tool is given: a list-and-detail
// screen by its form name (frmVerpakkingen), a code table by its table name, a search kind
// by its name with the request's search text.
FoundList findEditingList(Context &ctx, const ListRequest &request);

} // namespace kv::exporting

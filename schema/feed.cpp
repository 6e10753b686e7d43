#include "schema/tables.h"

namespace kv::schema {

void addFeedTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

#include "schema/tables.h"

namespace kv::schema {

void addCemeteryTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

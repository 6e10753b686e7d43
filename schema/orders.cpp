#include "schema/tables.h"

namespace kv::schema {

void addOrderTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

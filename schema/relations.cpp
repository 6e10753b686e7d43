#include "schema/tables.h"

namespace kv::schema {

void addRelationTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

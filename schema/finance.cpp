#include "schema/tables.h"

namespace kv::schema {

void addFinanceTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

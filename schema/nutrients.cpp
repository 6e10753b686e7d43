#include "schema/tables.h"

namespace kv::schema {

void addNutrientTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

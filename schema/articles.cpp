#include "schema/tables.h"

namespace kv::schema {

void addArticleTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

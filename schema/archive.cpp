#include "schema/tables.h"

namespace kv::schema {

void addArchiveTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

#include "schema/tables.h"

namespace kv::schema {

void addLogisticsTables(std::vector<Table> &out)
{
    (void)out;
}

} // namespace kv::schema

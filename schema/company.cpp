#include "schema/tables.h"

namespace kv::schema {

void addCompanyTables(std::vector<Table> &out)
{
    out.push_back({"UserGegevens", Db::Main,
                   {counter("ID"), text("Naam", 100)},
                   {primaryKey({"ID"})}});
}

} // namespace kv::schema

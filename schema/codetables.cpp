#include "schema/tables.h"

namespace kv::schema {

void addCodeTables(std::vector<Table> &out)
{
    for (const char *name : {"TabelArtikelgroepen", "TabelAdelcode"})
        out.push_back(codeTable(name));
}

} // namespace kv::schema

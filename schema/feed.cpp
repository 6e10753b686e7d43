#include "schema/tables.h"

namespace kv::schema {

void addFeedTables(std::vector<Table> &out)
{
    // Feed contracts and their partial deliveries, per relation.
    for (const char *name : {"FGContractBeheer", "FGContractDeellevering"})
        out.push_back(numbered(name, {relNr()}, {byRelNr()}));

    // Pre-sale orders, and those being entered.
    for (const char *name : {"FGVVKOrders", "FGTempVVKOrders"})
        out.push_back(numbered(name, {orderNr("Ordernr"), relNr("RelatieNr"), articleNr("ArtikelNr")},
                               {byOrderNr("Ordernr"), byRelNr("RelatieNr")}));
}

} // namespace kv::schema

#pragma once

#include "schema/schema.h"

#include <vector>

// A small database of its own for the engine tests: articles keyed by number, with a group
// index that allows Null, and order lines numbered by the engine.
inline std::vector<kv::schema::Table> engineTestTables()
{
    using namespace kv::schema;
    return {
        {"Artikelen", Db::Main,
         {text("ArtNr", 10), text("Omschrijving", 40), currency("Prijs"), integer("Groep"), yesNo("Actief"),
          dateTime("Gewijzigd")},
         {primaryKey({"ArtNr"}), index("Groep", {"Groep"})}},
        {"Regels", Db::Main,
         {counter("ID"), text("OrderNr", 10), longInt("Regel"), dbl("Aantal")},
         {primaryKey({"ID"}), index("OrderNr", {"OrderNr", "Regel"})}},
    };
}

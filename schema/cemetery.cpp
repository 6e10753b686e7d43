#include "schema/tables.h"

namespace kv::schema {

// A grave's place on the cemetery map, e.g. "B-12-034".
static Field graveLocation() { return text("Graflocatie", 20); }

void addCemeteryTables(std::vector<Table> &out)
{
    // The graves, each with the relation that holds the rights.
    out.push_back({"BGAGrafBestand", Db::Main, {graveLocation(), relNr("Relnr")},
                   {primaryKey({"Graflocatie"}), byRelNr("Relnr")}});

    // The deceased by register number, and per grave by date of death.
    out.push_back({"BGAGrafbezetting", Db::Main, {
        longInt("RegnrOverleden"), text("Achternaam", 50), graveLocation(), dateText("DatumOverlijden"),
    }, {primaryKey({"RegnrOverleden"}), index("Graflocatie", {"Graflocatie", "DatumOverlijden"}),
        index("Achternaam", {"Achternaam"})}});

    // Earlier occupations; one deceased may appear more than once.
    out.push_back(numbered("BGAGrafHistorie", {longInt("RegnrOverleden"), text("Achternaam", 50), graveLocation()},
                           {index("RegnrOverleden", {"RegnrOverleden"}), index("Graflocatie", {"Graflocatie"})}));

    for (const char *name : {"BGAGrafEigenaar", "BGAMatrix", "BGAOnderhoudsGegevens", "BGAOnderhoudsRelaties",
                             "BGAUrnasBeschikking", "BGAUrnasBestemming"})
        out.push_back(numbered(name));
}

} // namespace kv::schema

#include "schema/tables.h"

namespace kv::schema {

// The nutrient database: nutrients with their unit, and raw materials.
void addNutrientTables(std::vector<Table> &out)
{
    out.push_back({"Nutrienten", Db::Nutrient, {
        longInt("NutrientID"), text("Afkorting", 10), text("Omschrijving", 100), longInt("EenheidID"),
        text("Type", 20),
    }, {primaryKey({"NutrientID"}), index("EenheidID", {"EenheidID"})}});

    out.push_back({"NutrientEenheden", Db::Nutrient, {longInt("EenheidID"), text("Afkorting", 10)},
                   {primaryKey({"EenheidID"})}});

    out.push_back({"Grondstoffen", Db::Nutrient, {
        longInt("GrondstofID"), text("Afkorting", 10), text("Omschrijving", 100),
    }, {primaryKey({"GrondstofID"})}});
}

} // namespace kv::schema

#include "demo/steps.h"

namespace kv::demo {

namespace {

struct Unit {
    int id;
    const char *abbreviation;
};
const Unit kUnits[] = {{1, "g/kg"}, {2, "%"}, {3, "mg/kg"}, {4, "MJ/kg"}, {5, "VEM/kg"}};

struct Nutrient {
    int id;
    const char *abbreviation, *name;
    int unit;
    const char *type;
};
const Nutrient kNutrients[] = {
    {1, "DS", "Droge stof", 1, "Algemeen"},        {2, "RE", "Ruw eiwit", 1, "Algemeen"},
    {3, "RVET", "Ruw vet", 1, "Algemeen"},         {4, "RC", "Ruwe celstof", 1, "Algemeen"},
    {5, "AS", "Ruw as", 1, "Algemeen"},            {6, "ZETM", "Zetmeel", 1, "Algemeen"},
    {10, "N", "Stikstof", 1, "Mineraal"},          {11, "P", "Fosfor", 1, "Mineraal"},
    {12, "K", "Kalium", 1, "Mineraal"},            {13, "CA", "Calcium", 1, "Mineraal"},
    {20, "CU", "Koper", 3, "Spoorelement"},        {21, "ZN", "Zink", 3, "Spoorelement"},
    {30, "VEM", "Voedereenheid melk", 5, "Energie"}, {31, "NE", "Netto energie", 4, "Energie"},
    {40, "VOCHT", "Vocht", 2, "Algemeen"},
};

struct RawMaterial {
    int id;
    const char *abbreviation, *name;
};
const RawMaterial kRawMaterials[] = {
    {1, "TARWE", "Tarwe"},           {2, "GERST", "Gerst"},           {3, "MAIS", "Mais"},
    {4, "SOJA", "Sojaschroot"},      {5, "RAAP", "Raapzaadschroot"},  {6, "BIET", "Bietenpulp"},
    {7, "TRBO", "Tarwegries"},       {8, "HAVER", "Haver"},           {9, "KALK", "Voederkalk"},
};

} // namespace

// A feed mill's nutrient database: the units, the nutrients measured in them and the raw
// materials the feed is mixed from.
void writeNutrients(db::Database &grondstof)
{
    Rows units(grondstof, QStringLiteral("NutrientEenheden"));
    Rows nutrients(grondstof, QStringLiteral("Nutrienten"));
    Rows materials(grondstof, QStringLiteral("Grondstoffen"));
    grondstof.write([&] {
        for (const Unit &u : kUnits)
            units.add().set(u"EenheidID", u.id).set(u"Afkorting", QString::fromUtf8(u.abbreviation)).post();
        for (const Nutrient &n : kNutrients)
            nutrients.add().set(u"NutrientID", n.id).set(u"Afkorting", QString::fromUtf8(n.abbreviation))
                .set(u"Omschrijving", QString::fromUtf8(n.name)).set(u"EenheidID", n.unit)
                .set(u"Type", QString::fromUtf8(n.type)).post();
        for (const RawMaterial &m : kRawMaterials)
            materials.add().set(u"GrondstofID", m.id).set(u"Afkorting", QString::fromUtf8(m.abbreviation))
                .set(u"Omschrijving", QString::fromUtf8(m.name)).post();
    });
}

} // namespace kv::demo

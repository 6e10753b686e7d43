#include "schema/tables.h"

namespace kv::schema {

static void addTransportTables(std::vector<Table> &out)
{
    // Vehicles, listed in Volgorde. Brandstof and Verzekering are keys of their code tables.
    out.push_back({"Autogegevens", Db::Main, {
        longInt("InternNr"), text("Kenteken", 15), integer("Volgorde"),
        text("Merk", 50), text("Type", 50), text("Soort", 50), text("SoortType", 50),
        text("ChassisNr", 30), integer("BouwJaar"), codeRef("Brandstof"),
        codeRef("Verzekering"), text("PolisNr", 30),
        dateText("DatinDienst"), dateText("DatuitDienst"),
        text("RVI", 20), text("NIWO", 20), text("EEG", 20), yesNo("APK"), dateText("APKdatum"),
    }, {primaryKey({"InternNr"}), uniqueIndex("Kenteken", {"Kenteken"}), index("Volgorde", {"Volgorde"})}});

    out.push_back({"Boten", Db::Main, {
        counter("BootID"), text("Bootnaam", 50), text("Callsign", 10), text("Rederij", 50),
        text("Website", 100), longInt("IMO"), longInt("MMSI"),
    }, {primaryKey({"BootID"})}});

    out.push_back({"Containers", Db::Main, {
        longInt("Nummer"), text("Omschrijving", 100), dbl("Inhoud"), articleNr("ArtNrHuur"), yesNo("Abonnement"),
    }, {primaryKey({"Nummer"})}});

    // Shipping methods with the carrier, loading address and third party as relation numbers.
    out.push_back({"VerzendwijzeRelaties", Db::Main, {
        integer("CodeNr"), text("Omschrijving", 100),
        relNr("TransporteurRelNr"), relNr("LaadAdresRelNr"), relNr("DerdeRelNr"), currency("VerzendBedrag"),
    }, {primaryKey({"CodeNr"})}});

    // Packaging units with sizes in cm and weights in kg; Multiplier is the price factor.
    out.push_back({"ColliTabel", Db::Main, {
        integer("CodeNr"), text("Type", 20), longInt("TypeNummer"),
        text("Omschrijving", 100), text("ExternOmschrijving", 100),
        text("Materiaal", 50), text("Uitvoering", 50), text("Eenheid", 20),
        dbl("Lengte"), dbl("Breedte"), dbl("Hoogte"), dbl("Laadmeter"),
        dbl("Gewicht"), dbl("MateriaalGewicht"), dbl("Multiplier"),
        integer("PrijsBerekening"), yesNo("IsGewichtEenheid"), yesNo("ExplicietGewicht"),
        yesNo("AantalInStuksAfboeken"),
    }, {primaryKey({"CodeNr"})}});

    // Dangerous goods by UN number.
    out.push_back({"UNnummers", Db::Main, {longInt("UNnummer"), text("BenamingNL", 255)},
                   {primaryKey({"UNnummer"})}});
}

static void addCountryTables(std::vector<Table> &out)
{
    // ISO is the two-letter code the customs offices join on, beside the screen's TweeLetterig.
    out.push_back({"Landen", Db::Main, {
        counter("id"), text("ISO", 2), text("TweeLetterig", 2),
        text("Land", 100), text("LandOfficieelNL", 100), text("LandOfficieel", 100), text("LandEngels", 100),
        text("WereldDeel", 50), text("LandCodeTel", 10), text("Taal", 50),
    }, {primaryKey({"id"}), index("ISO", {"ISO"})}});

    out.push_back({"DouaneKantoren", Db::Main, {
        counter("id"), text("ISO", 2), text("Naam", 100), text("NaamEngels", 100),
        text("Omschrijving", 100), text("Bijzonderheden", 255),
    }, {primaryKey({"id"}), index("ISO", {"ISO"})}});
}

static void addHarvestTables(std::vector<Table> &out)
{
    // Bunkers, silos and supply lines. Times are "yyyymmddhhmmss"; BunkerLoods is a key of TabelLoods.
    out.push_back({"Bunkers", Db::Main, {
        counter("BunkerID"), text("BunkerNaam", 50), text("BunkerExtraOmschrijving", 100),
        text("BunkerType", 20), text("BunkerStatus", 20), codeRef("BunkerLoods"),
        text("BunkerHuidigePartijNaam", 50), documentNr("InkoopNr"),
        text("DateTimeGevuld", 14), text("DateTimeStart", 14), text("DateTimeStop", 14), dbl("LosSnelheid"),
    }, {primaryKey({"BunkerID"})}});

    // Drying tables: tariffs, the articles they invoice, and the articles they apply to.
    out.push_back(numbered("Droogtabel", {
        text("Omschrijving", 100),
        currency("Weegtarief"), currency("Weegkosten"), currency("Vrachttarief"), currency("Vrachtkosten"),
        currency("Schoontarief"), currency("Schoonkosten"), currency("Droogkosten"),
        currency("AlgemeneKosten"), currency("VanTmBedrag"),
        articleNr("AlgemeenArtNr"), articleNr("DroogArtNr"), articleNr("VrachtArtNr"),
        articleNr("HLArtNr"), articleNr("WeegArtNr"), articleNr("TarraArtNr"),
        dbl("HLGewicht"), integer("Methode"), integer("MethodeGewichtsverlies"),
        yesNo("DroogverliesVoorraad"), yesNo("DroogverliesFactuur"),
    }));
    out.push_back(numbered("DroogtabelDetails", {longInt("DroogtabelID"), articleNr()},
                           {index("DroogtabelID", {"DroogtabelID"})}));

    // Tare deductions agreed with an agent: a base limit and three limits, each with how it applies
    // and its discount.
    out.push_back({"TarraVoorwaarden", Db::Main, {
        integer("CodeNr"), relNr("CommissionairNr"), text("Omschrijving", 100), text("Afkorting", 10),
        dbl("Limiet0"),
        dbl("Limiet1"), integer("Limiet1Bepaling"), dbl("Limiet1Korting"),
        dbl("Limiet1KortingPerAantalKg"), dbl("Limiet1KortingPerAantalProcent"),
        dbl("Limiet2"), integer("Limiet2Bepaling"), dbl("Limiet2Korting"),
        dbl("Limiet2KortingPerAantalKg"), dbl("Limiet2KortingPerAantalProcent"),
        dbl("Limiet3"), integer("Limiet3Bepaling"), dbl("Limiet3Korting"),
        dbl("Limiet3KortingPerAantalKg"),
    }, {primaryKey({"CodeNr"})}});
}

void addLogisticsTables(std::vector<Table> &out)
{
    addTransportTables(out);
    addCountryTables(out);
    addHarvestTables(out);
}

} // namespace kv::schema

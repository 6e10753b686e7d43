#include "company/options/optionscreens.h"

#include "company/options/rows.h"

using namespace Qt::StringLiterals;

namespace kv::company {
namespace {

using namespace rows;

options::OptionScreen orders()
{
    return {u"frmOrders"_s, u"Orders - voor iedereen"_s, {}, {
        dbToggle(0,  u"Nieuwe orders inbrengen toestaan"_s,                                                  u"AllowOrderEntry"_s),
        dbToggle(1,  u"Bestaande orders zijn wijzigbaar"_s,                                                  u"AllowEditOrders"_s),
        dbToggle(2,  u"Een order moet eerst worden vrijgegeven voordat deze gefactureerd kan worden"_s,     u"MagazijnbonVerplicht"_s),
        dbToggle(3,  u"Tijdens het ingeven van een order is de laatst bekende inkoopprijs zichtbaar"_s,     u"AllowInkoopprijsOrders"_s),
        dbToggle(4,  u"Tijdens het ingeven van een order is de verkoopprijs aanpasbaar"_s,                  u"AllowPrijsIngevenOrders"_s),
        dbToggle(5,  u"Tijdens het ingeven van een order mag de inkoop- en verkoopprijs van het artikel worden gewijzigd"_s, u"PrijsAanpassing"_s),
        dbToggle(6,  u"Bij de balie worden de prijzen altijd inclusief BTW weergegeven (mits module aanwezig)"_s, u"BalieverkoopInBTW"_s),
        dbToggle(15, u"Prijzen worden berekend vanuit een prijzenboek in plaats van vaste prijzen bij een artikel"_s, u"BerekenTarief"_s, Encoding::DbMinus10),
    }};
}

options::OptionScreen factureren()
{
    return {u"frmFactureren"_s, u"Facturen"_s, {}, {
        field(0,      u"Laatste factuurnr.:"_s,           Place::UserGegevens, u"FactuurNr"_s),
        field(1,      u"Laatste factuurnr. - 2:"_s,       Place::UserGegevens, u"FactuurNr2"_s),
        field(2,      u"Laatste afleverfactuurnr.:"_s,    Place::UserGegevens, u"AfleverFactuurNr"_s),
        field(3,      u"Laatste creditfactuurnr.:"_s,     Place::UserGegevens, u"CreditFactuurNr"_s),
        field(4,      u"Laatste proformafactuurnr.:"_s,   Place::UserGegevens, u"ProformaFactuurNr"_s),
        regToggle(0,  u"Kopiefacturen meteen afdrukken na orderfacturering"_s,                                    u"Factureren_KopieFactuur"_s),
        dbToggle(1,   u"Verzamel per relatie de orders bij elkaar en factureer deze in één keer"_s,               u"VerzamelOrders"_s),
        dbToggle(2,   u"Een order moet eerst worden vrijgegeven voordat deze gefactureerd kan worden"_s,         u"MagazijnbonVerplicht"_s),
        dbToggle(3,   u"Facturen mogen worden afgeboekt bij een openstaand bedrag kleiner dan:"_s,               u"chkMinimumOpenstaandBedrag"_s),
        field(5,      {},                                 Place::UserGegevens, u"MinimumOpenstaandBedrag"_s, Control::Amount),
        dbToggle(4,   u"Tijdens het inboeken van een factuur automatisch het boekstuknummer ophogen"_s,          u"Autoboekstuknr"_s, Encoding::DbMinus10),
        regToggle(5,  u"Tijdens het inboeken van een factuur controleren of het factuurnummer logisch is"_s,     u"AutoCheckFactuurNr"_s),
        regToggle(6,  u"Tijdens verwerken dagafschriften debet- en creditfacturen salderen bij afboeken"_s,      u"DagafschriftAutoSalderen"_s),
        regToggle(7,  u"Geavanceerde instellingen bij het bewerken van facturen weergeven"_s,                    u"AdvancedFactuurSettings"_s),
        regToggle(8,  u"Bij productieartikelen, de decimalen achter het gewicht van het artikel niet weergeven"_s, u"FactuurStripNulProductie"_s),
        regToggle(9,  u"Na het aanmaken van een PDF factuur deze ook afdrukken"_s,                               u"PrintPDFFactuur"_s),
        dbToggle(10,  u"Bij het factureren van orders kunnen ook proforma-facturen worden gemaakt"_s,            u"AllowProformaFacturen"_s),
        dbToggle(11,  u"Bij het factureren van orders gebruik maken van factuurruns"_s,                          u"AllowFactuurRunNr"_s),
        fileToggle(12, u"Creditfacturen hebben eigen factuurnummers"_s,                        u"creditfact.ini"_s, 0, Encoding::Reg01),
        regToggle(13, u"Tijdens het inboeken van een factuur is de factuurdatum bepalend voor de boekdatum en periode"_s, u"Factureren_FactuurDatumIsBoekDatumPeriode"_s),
        fileToggle(14, u"Bij het aanmaken van facturen de factuurregels sorteren op leverdatum "_s,            u"sorteren.ini"_s, 0, Encoding::Reg10),
        fileToggle(15, u"Een order met verschillende leverdata bij elkaar houden / niet uitsplitsen"_s,        u"sorteren.ini"_s, 1, Encoding::Reg10),
        regToggle(16, u"Bij de omschrijving op de factuur, tekst vanaf het volgende teken niet afdrukken:"_s,    u"Factureren_OmschrijvingKarakterScheiding"_s),
        field(6,      {},                                 Place::Registry,     u"Factureren_OmschrijvingKarakterScheidingTeken"_s),
        regChoice(u"DoorboekenFactuurmutaties"_s,
                  {u"Facturen gecomprimeerd doorboeken naar grootboek (weinig informatie, beknopte journaalpost)"_s,
                   u"Facturen uitgebreid doorboeken naar grootboek per factuur, inclusief relatie- en factuurgegevens"_s},
                  {u"0"_s, u"1"_s}, u"doorboeken.ini"_s),
    }};
}

options::OptionScreen voorraad()
{
    return {u"frmVoorraad"_s, u"Voorraad"_s, {}, {
        field(0,     u"Moment van bijwerken:"_s,                                            Place::UserGegevens, u"VoorraadMoment"_s, Control::Number),
        regToggle(4, u"Bij het afboeken van aantallen in stuks, ook het gewicht vragen"_s,  u"VoorraadVraagAantalInStuksEnGewicht"_s),
    }};
}

options::OptionScreen weegbrug()
{
    return {u"frmWeegbrug"_s, u"Weegbrug"_s, {}, {
        regChoice(u"WeegbrugType"_s, {u"Gebruik het uitgebreide geïntegreerde weegbrug programma"_s,
                                      u"Gebruik het vereenvoudige geïntegreerde weegbrug programma"_s,
                                      u"Koppel het programma aan een extern weegbrug programma"_s},
                  {u"0"_s, u"1"_s, u"2"_s}),
        field(0,     u"Map waar weegbestanden staan (csv)"_s,                                Place::Registry,     u"WeegbrugPath"_s),
        field(6,     u"Laatste ritnummer weegbrug: "_s,                                      Place::UserGegevens, u"LastRitNummer"_s),
        regToggle(0, u"Direct de voorraad bijwerken na een afgeronde weging"_s,              u"WeegbrugTypesSimpleVoorraad"_s,             Encoding::Reg01),
        regToggle(1, u"Inslag en uitslag zijn standaard oogstartikelen zoals granen, uien etc."_s, u"WeegbrugTypesSimpleVoorraadOogstDefault"_s, Encoding::Reg01),
        regToggle(2, u"Gevanceerde bewerkingen toestaan op gedane wegingen"_s,               u"InkoopContractenPartijenAanvoerAdvanced"_s),
        regToggle(3, u"Partijnummers bij wegingen aanvullen met bonnummer"_s,                u"PartijNrAanvullenMetBonNummer"_s,           Encoding::Reg01),
        regToggle(4, u"Gebruik de mogelijk om ook aantallen in stuks in te kunnen geven ( voor bijvoorbeeld balen, kratten etc.)"_s, u"WeegbrugVraagAantalInStuks"_s),
        regToggle(5, u"Plaats waar mogelijk het aantal stuks voor de omschrijving van het gekozen artikel"_s, u"WeegbrugVraagAantalInStuksInOrder"_s, Encoding::Reg01),
    }};
}

// The steps of settling a lot: stored "0" when the step is taken.
options::OptionScreen afrekenen()
{
    return {u"frmAfrekenen"_s, u"Afrekenen partijen"_s,
            u"Geef aan welke stappen u wilt doorlopen tijdens het afrekenen van een partij"_s, {
        regToggle(0, u"Droogkosten berekenen"_s,      u"Afrekenen_Droogkosten"_s,     Encoding::Reg01),
        regToggle(1, u"Hectoliter gewicht"_s,         u"Afrekenen_Hectoliter"_s,      Encoding::Reg01),
        regToggle(2, u"Algemene kosten"_s,            u"Afrekenen_AlgemeneKosten"_s,  Encoding::Reg01),
        regToggle(3, u"Overzicht inkoop weergeven"_s, u"Afrekenen_OverzichtInkoop"_s, Encoding::Reg01),
        regToggle(4, u"Bewaarloon"_s,                 u"Afrekenen_Bewaarloon"_s,      Encoding::Reg01),
        regToggle(5, u"Tarra berekeningen"_s,         u"Afrekenen_Tarra"_s,           Encoding::Reg01),
        regToggle(6, u"Weegloon"_s,                   u"Afrekenen_Weegloon"_s,        Encoding::Reg01),
    }};
}

options::OptionScreen transport()
{
    return {u"frmTransport"_s, u"Transport"_s, {}, {
        regToggle(3,  u"Bij inplannen transportopdrachten is het inkoopartikel gelijk aan het verkoopartikel"_s, u"CMRInkoopVerkoopArtikel"_s),
        regToggle(5,  u"Uitbestede ritten mogen op het planbord worden toegevoegd"_s,                            u"PlanbordAcceptUitbestedeRitten"_s),
        regToggle(6,  u"Bij versturen transportlijsten per e-mail de bijbehorende CMR documenten bundelen in één PDF."_s, u"CMRBundelen"_s),
        regToggle(19, u"Relatie waar geladen wordt is standaard ook de inkooprelatie"_s,                         u"LaadLocatieIsInkoopRelatie"_s),
        field(14,     u"Laatste transportlijstnummer:"_s, Place::UserGegevens, u"TransportLijst"_s),
    }};
}

// The options of this workstation. Its name is in the names of the offline files.
options::OptionScreen advanced()
{
    Option offline = fileToggle(0, u"Dit werkstation (PC) werkt in offline modus"_s, u"{werkstation}.client"_s,
                                u"Client mode geactiveerd {vandaag:yyyyMMdd}"_s,
                                {u"{werkstation}_KorvenalClientDB.mdb"_s, u"{werkstation}.reset"_s});
    offline.note = u"( alleen bij instabiele netwerken toepassen - synchronisatie via server vereist )"_s;
    return {u"frmAdvanced"_s, u"Geavanceerd"_s, {}, {
        regToggle(3, u"Relatienummers zijn per werkstation (PC) afhankelijk / verschillend"_s,                   u"UseEigenRelNr"_s),
        regToggle(4, u"Ordernummers zijn per werkstation (PC) afhankelijk / verschillend"_s,                     u"UseEigenOrderNr"_s),
        regToggle(5, u"Magazijnbonnen zijn per werkstation (PC) afhankelijk / verschillend"_s,                   u"UseEigenMagBonNr"_s),
        regToggle(6, u"Dit werkstation is een flex plek; de naam van de medewerker altijd vragen bij een order"_s, u"IsFlexPlek"_s),
        offline,
        fileToggle(2, u"Database sluiten bij inactiviteit op het hoofdscherm"_s, u"korvenaldb.close"_s,
                   u"Database open houden, ingesteld op {vandaag:yyyy-MM-dd}"_s),
        // Read by the programs at their next start.
        fileCombo(3, u"Database mutaties:"_s, u"korvenal.lock"_s,
                  {u"Vergrendelen tijdens wijzigen"_s, u"Meteen bijwerken"_s}, {u""_s, u"false"_s}),
    }};
}

} // namespace

const std::vector<options::OptionScreen> &optionScreens()
{
    static const std::vector<options::OptionScreen> screens{orders(),    factureren(), voorraad(), weegbrug(),
                                                            afrekenen(), transport(),  advanced()};
    return screens;
}

} // namespace kv::company

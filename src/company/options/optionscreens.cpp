#include "company/options/optionscreens.h"

#include "editing/options/optionslogic.h"
#include "editing/options/rows.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace kv::company {
namespace {

using namespace options::rows;

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

// The company that owns the administration: names, addresses, numbers; and whether this
// workstation makes automatic backups.
options::OptionScreen bedrijfsgegevens()
{
    // The street address must hold something for the suite's documents: " " when empty.
    auto required = [](Option option) {
        option.spaceWhenEmpty = true;
        return option;
    };
    auto postcode = [](Option option) {
        option.encoding = Encoding::Postcode;
        return option;
    };
    auto company = [](int n, const QString &caption, const QString &name) {
        return field(n, caption, Place::UserGegevens, name);
    };
    // An access key is a password: the trail, the log and the tool's listing never show it.
    auto secret = [](Option option) {
        option.secret = true;
        return option;
    };
    options::OptionScreen screen{u"frmBedrijfsgegevens"_s, u"Bedrijfsgegevens"_s, {}, {
        company(0,  u"Bedrijfsnaam:"_s,             u"Naam"_s),
        company(1,  u"Contactpersoon:"_s,           u"ContactPersoon"_s),
        required(company(2, u"Adres:"_s,            u"Adres"_s)),
        required(company(3, u"Huisnummer:"_s,       u"Huisnummer"_s)),
        required(postcode(company(4, u"Postcode:"_s, u"Postcode"_s))),
        required(company(5, u"Woonplaats:"_s,       u"Woonplaats"_s)),
        company(6,  u"Postadres:"_s,                u"PostAdres"_s),
        company(7,  u"Huisnummer postadres:"_s,     u"PostHuisnummer"_s),
        postcode(company(8, u"Postcode postadres:"_s, u"PostPostcode"_s)),
        company(9,  u"Woonplaats postadres:"_s,     u"PostWoonplaats"_s),
        company(10, u"E-mail:"_s,                   u"Email"_s),
        company(11, u"Website:"_s,                  u"Website"_s),
        company(12, u"Telefoon:"_s,                 u"TelefoonNr"_s),
        company(13, u"Mobiel:"_s,                   u"MobielNr"_s),
        company(14, u"Fax:"_s,                      u"Faxnr"_s),
        company(15, u"Fiscaal nummer:"_s,           u"FiscaalNr"_s),
        company(16, u"KvK plaats:"_s,               u"KvkPlaats"_s),
        company(17, u"KvK nummer:"_s,               u"KvKNr"_s),
        company(18, u"Vestigingsnummer:"_s,         u"Vestigingsnummer"_s),
        secret(company(19, u"Sleutel RVDM webservice:"_s, u"RVDMWebserviceKey"_s)),
        regToggle(0, u"Automatische back-up maken op dit werkstation"_s, u"AutoBackupDisabled"_s, Encoding::RegZeroOn),
    }};
    screen.onlyWithRecord = true;
    return screen;
}

// How the order entry program behaves for this user.
options::OptionScreen ordersGebruiker()
{
    return {u"frmOrdersGebruiker"_s, u"Orders - per gebruiker"_s, {}, {
        regToggle(7,  u"De verzend- of afleverdatum van een order is per orderregel instelbaar"_s, u"OrderInvoerAfleverDatum"_s),
        regChoice(u"OrderInvoerVolgorde"_s,
                  {u"Bij het inbrengen van een orderregel eerst de prijs ingeven, daarna het aantal"_s,
                   u"Bij het inbrengen van een orderregel eerst het aantal ingeven, daarna de prijs"_s},
                  {u"1"_s, u"0"_s}),
        regCombo(1,   u"Overzicht orders sorteren op:"_s, u"OrderOverzichtSort"_s,
                 {u"Relatienummer"_s, u"Ordernummer"_s, u"Artikelnummer"_s, u"Orderdatum"_s}),
        regToggle(9,  u"Bij het dubbelklikken op een orderregel extra registratie mogelijkheden tonen"_s, u"OrderRegelDubbelKlikOpties"_s),
        regChoice(u"OrderRegelDubbelKlikLocatie"_s,
                  {u"Bij een dubbelklik op de gekoppelde locatie, de adresgegevens uitgebreid toevoegen aan de order."_s,
                   u"Bij een dubbelklik op de gekoppelde locatie, de adresgegevens beknopt toevoegen aan de order."_s},
                  {u"1"_s, u"0"_s}, {}, u"location choice"_s),
        regToggle(10, u"Toon een apart referentieveld voor het transport"_s,                     u"OrdersVisibleReferentieTransport"_s),
        regToggle(11, u"Een gefactureerde order mag, indien ik de programmabeheerder ben, achteraf aangepast worden ( niet aanbevolen )"_s, u"OrderAanpasbaarNaFacturering"_s),
        regToggle(12, u"Het BTW percentage is per orderregel instelbaar"_s,                      u"OrderRegelBTW"_s),
        regToggle(13, u"Colli per orderregel selecteerbaar achter het aantal"_s,                 u"OrderRegelColli"_s, Encoding::Reg01),
        regToggle(14, u"Een nieuw ordernummer volgt altijd op het laatste ordernummer"_s,        u"OrdersOrderNrMax"_s, Encoding::Reg01),
        regToggle(16, u"Afleverdatum van vrije regel zetten op de meest recente datum van de product orderregels"_s, u"OrderRegelVrijeRegelOrderDatum"_s),
        regToggle(17, u"Gebruik de knop Toevoegen om een order te beginnen, het ordernummer staat dan vast"_s, u"OrderButtonToevoegen"_s),
        regToggle(25, u"Geef visueel het veld weer waar ik mee bezig ben"_s,                     u"OrderVisueelFocus"_s, Encoding::Reg01),
        regToggle(26, u"Na het opslaan van een order deze in beeld laten staan (niet afsluiten)"_s, u"OrderLatenStaanNaOpslaan"_s),
        regToggle(28, u"Bij het genereren van een creditnota, de tekst 'Deze creditnota heeft betrekking op factuur X' toevoegen (waar X het factuurnummer is)"_s, u"OrderCreditOpmerkingToevoegen"_s),
        regToggle(29, u"Kenmerk biologisch per orderregel instelbaar"_s,                         u"OrderBiologisch"_s),
        regToggle(30, u"Geef een apart invulveld om de kleur of het soort toe te kennen aan een orderregel bij productieartikelen"_s, u"OrderKleur"_s),
        regToggle(31, u"Kenmerk GMP per orderregel instelbaar"_s,                                u"OrderGMP"_s),
        // What a duplicated order takes over from the order it copies.
        heading(u"Orders - per gebruiker - dupliceren orders"_s),
        regToggle(18, u"Laadlocatie overnemen"_s,                                   u"OrderDuplicerenLaadlocatie"_s,    Encoding::Reg01),
        regToggle(19, u"Transporteur overnemen"_s,                                  u"OrderDuplicerenTransporteur"_s,   Encoding::Reg01),
        regToggle(20, u"Expediteur overnemen"_s,                                    u"OrderDuplicerenExpediteur"_s,     Encoding::Reg01),
        regToggle(21, u"Stuwadoor overnemen"_s,                                     u"OrderDuplicerenStuwadoor"_s,      Encoding::Reg01),
        regToggle(22, u"Boot overnemen"_s,                                          u"OrderDuplicerenBoot"_s,           Encoding::Reg01),
        regToggle(23, u"Douanekantoor export overnemen"_s,                          u"OrderDuplicerenDouaneExport"_s,   Encoding::Reg01),
        regToggle(24, u"Informatie over golfkarton en aantal zakken overnemen"_s,   u"OrderDuplicerenKartonZak"_s,      Encoding::Reg01),
        regToggle(27, u"Inkoopcontract overnemen"_s,                                u"OrderDuplicerenInkoopcontract"_s),
    }};
}

// What the CMR consignment notes show, and where.
options::OptionScreen cmr()
{
    return {u"frmCMR"_s, u"CMR && Transport"_s, {}, {
        heading(u"CMR document soorten"_s),
        regChoice(u"CMRType"_s,
                  {u"Transport CMR; Afzender plaatsen bij 1 en 4, ontvanger bij 2 en 3 (standaard)"_s,
                   u"Inname CMR; Afzender bij 1 en 4, ontvanger bij 2 en 3 altijd forceren naar ons bedrijf"_s,
                   u"Afgifte CMR; Ons bedrijf als afzender plaatsen bij 1 en 4, ontvanger bij 2 en 3"_s},
                  {u"0"_s, u"1"_s, u"2"_s}, {}, u"type choice"_s),
        regToggle(8,  u"Bij aanmaken CMR altijd vragen welk document aangemaakt moet worden"_s, u"CMRTypeVragen"_s),
        heading(u"Opmaak CMR document"_s),
        regChoice(u"CMRAdres2"_s,
                  {u"Plaats hoofdrelatie bij '2 - Destinataire / Geadresseerde / Empfänger'"_s,
                   u"Plaats afleverlocatie (indien afwijkend van hoofdrelatie) bij '2 - Destinataire / Geadresseerde / Empfänger'"_s},
                  {u"1"_s, u"0"_s}, {}, u"box-2 choice"_s),
        regChoice(u"CMRAantalColliOmschrijving"_s,
                  {u"Aantal en colli achter de omschrijving van het product plaatsen"_s,
                   u"Aantal en colli voor de omschrijving van het product plaatsen"_s},
                  {u"1"_s, u"0"_s}, {}, u"quantity choice"_s),
        regToggle(3,  u"Bij export via douanekantoor vak 2 en vak 3 omwisselen"_s,          u"CMRExportVak2En3Omdraaien"_s),
        regToggle(7,  u"Artikelsoort afdrukken indien ingevuld"_s,                           u"CMRArtikelSoortAfdrukken"_s, Encoding::Reg01),
        regToggle(9,  u"Laadlocatie altijd forceren naar ons bedrijf, wij zijn tevens de expediteur"_s, u"CMRLaadLocatieOnsBedrijf"_s),
        regToggle(10, u"Omschrijvingen op de CMR afdrukken met hoofdletters"_s,              u"CMROmschrijvingHoofdletters"_s, Encoding::Reg01),
        regToggle(11, u"Artikelnummer afdrukken op CMR"_s,                                   u"CMRArtikelNummerAfdrukken"_s, Encoding::Reg01),
        regToggle(12, u"Vak (18) aanvullen met pallets retour"_s,                            u"CMRPrintPalletsVak18"_s),
        field(0,      u"Pallet omschrijving 1"_s,                                         Place::Registry, u"CMRPallet1"_s),
        field(1,      u"Pallet omschrijving 2"_s,                                         Place::Registry, u"CMRPallet2"_s),
        field(2,      u"Pallet omschrijving 3"_s,                                         Place::Registry, u"CMRPallet3"_s),
        field(3,      u"Pallet omschrijving 4"_s,                                         Place::Registry, u"CMRPallet4"_s),
        field(4,      u"Pallet omschrijving 5"_s,                                         Place::Registry, u"CMRPallet5"_s),
        field(5,      u"Pallet omschrijving 6"_s,                                         Place::Registry, u"CMRPallet6"_s),
        regToggle(13, u"Vak (6) aanvullen met de volgende opmerking:"_s,                 u"CMROpmerkingVak6Plaatsen"_s),
        field(6,      {},                                                               Place::Registry, u"CMROpmerkingVak6"_s),
        regToggle(14, u"Indien wij in een vak genoemd worden, ook 'Nederland' afdrukken"_s, u"CMRNederlandWeergeven"_s),
        regToggle(15, u"Vak (13) aanvullen met de volgende opmerking:"_s,                u"CMROpmerkingVak13Plaatsen"_s),
        field(7,      {},                                                               Place::Registry, u"CMROpmerkingVak13"_s),
        regToggle(16, u"Vak (13) aanvullen met gewenste laad- en lostijden"_s,           u"CMROpmerkingVak13LaadLosTijden"_s),
        regToggle(17, u"Vak (19) aanvullen met uitgebreide overeenkomsten"_s,            u"CMRVak19Extended"_s),
        regToggle(18, u"Standaard gewicht van colli afdrukken indien er nog geen gewicht bekend is"_s, u"CMRArtikelVerwachtGewichtAfdrukken"_s, Encoding::Reg01),
        regToggle(20, u"Indien materiaalgewicht bij colli is ingesteld, dit ook weergeven op de CMR"_s, u"CMRColliMateriaalBrutoNetto"_s, Encoding::Reg01),
        regToggle(21, u"Vak (13) aanvullen met ons ordernummer"_s,                       u"CMROpmerkingVak13OrderNr"_s),
        regToggle(22, u"GMP Gecertificeerd afdrukken indien er een GMP nummer bekend is"_s, u"CMRGMPGecertificeerd"_s, Encoding::Reg01),
        regToggle(23, u"Bij export de defintieve bestemming niet afdrukken maar vervangen door de stuwadoor"_s, u"CMRBlockExportLocatie"_s),
        field(10,     u"Aantal CMR afdrukken:"_s,                                        Place::Registry, u"CMRAantal"_s),
        field(15,     u"Aantal CMR e-mailen:"_s,                                         Place::Registry, u"CMRAantalEmail"_s),
        field(11,     u"Vervoerderscode CMR:"_s,                                         Place::Registry, u"CMRVervoersCode"_s),
    }};
}

// Each row of day limits rises: 30, 60, 90. An empty field is left out.
QString daysRise(const options::OptionsLogic &logic)
{
    for (const int first : {23, 26}) {
        std::optional<int> before;
        for (int n = first; n < first + 3; ++n) {
            const QString days = logic.stateOf(u"field %1"_s.arg(n)).trimmed();
            if (days.isEmpty())
                continue;
            if (before && days.toInt() <= *before)
                return u"De ouderdomscriteria moeten per rij oplopen, bijvoorbeeld 30, 60 en 90 dagen."_s;
            before = days.toInt();
        }
    }
    return {};
}

// Ageing limits, the look of the screens and reports, where attachments are kept.
options::OptionScreen diversen()
{
    const QStringList headers{u"header.bmp"_s,  u"header1.bmp"_s, u"header2.bmp"_s, u"header3.bmp"_s,
                              u"header4.bmp"_s, u"header5.bmp"_s, u"header6.bmp"_s};
    options::OptionScreen screen{u"frmDiversen"_s, u"Diversen"_s, {}, {
        heading(u"Ouderdomscriteria"_s),
        field(23, u"Debiteuren:"_s,  Place::UserGegevens, u"DebiteurDagen1"_s,  Control::Number),
        field(24, {},                Place::UserGegevens, u"DebiteurDagen2"_s,  Control::Number),
        field(25, {},                Place::UserGegevens, u"DebiteurDagen3"_s,  Control::Number),
        field(26, u"Crediteuren:"_s, Place::UserGegevens, u"KrediteurDagen1"_s, Control::Number),
        field(27, {},                Place::UserGegevens, u"KrediteurDagen2"_s, Control::Number),
        field(28, {},                Place::UserGegevens, u"KrediteurDagen3"_s, Control::Number),
        heading(u"Weergave"_s),
        perAdministration(colour(0, u"Achtergrond kleur:"_s, Place::Registry, u"AdminColor"_s)),
        regCombo(0, u"Snel zoeken op:"_s, u"SnelZoeken"_s, {u"Bedrijfsnaam"_s, u"Zoeksleutel"_s}),
        regItems(10, u"Arcering op overzichten:"_s, u"PrintArcering"_s,
                 {u"Geen arcering"_s, u"Zeer licht"_s, u"Licht"_s, u"Middel"_s, u"Donker"_s},
                 {u"0"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s}),
        along(u"combo 10"_s, u"PrintArceringSterkte"_s, {{}, u"250"_s, u"245"_s, u"240"_s, u"235"_s}),
        perAdministration(regItems(1, u"Kop van de schermen:"_s, u"SchermKop"_s, headers, headers)),
        heading(u"Bijlagen"_s),
        perAdministration(regChoice(u"BijlagenAfwijkend"_s,
                                    {u"Bijlagen opslaan in de datamap van de administratie"_s,
                                     u"Bijlagen opslaan op een afwijkende locatie"_s},
                                    {u"0"_s, u"1"_s})),
        perAdministration(folder(0, u"Folder waar relatie afhankelijke bijlagen worden gearchiveerd"_s, u"BijlagenMapRelaties"_s)),
        perAdministration(folder(1, u"Folder waar eventuele PDF facturen worden gearchiveerd"_s, u"BijlagenMapFacturen"_s)),
    }};
    screen.check = daysRise;
    return screen;
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

// What a new debtor and a new creditor start with, per user: the four values of each side are
// registry values "Relaties_Deb..." and "Relaties_Cred..." ("Detault" as the suite spells them),
// the lists storing the entry's key ("" for none).
options::OptionScreen relaties()
{
    options::OptionScreen screen{u"frmRelaties"_s, u"Relaties - per gebruiker"_s, {}, {}};
    const auto side = [&](const QString &heading, const QString &prefix, int first) {
        screen.options.push_back(options::rows::heading(heading));
        screen.options.push_back(field(first, u"Standaard betaaldagen:"_s, Place::Registry, prefix + u"DetaultBetaaldagen"_s,
                                       Control::Number));
        const std::pair<const char *, const char *> lists[] = {{"Standaard betaalwijze:", "TabelBetaalWijzen"},
                                                               {"Standaard betalingsconditie:", "TabelBetalingscondities"},
                                                               {"Standaard factuursoort:", "TabelFactuurSoorten"}};
        const QStringList names{u"Betaalwijze"_s, u"Betalingsconditie"_s, u"Factuursoort"_s};
        for (int i = 0; i < 3; ++i) {
            Option list{u"combo %1"_s.arg(first + i), QString::fromUtf8(lists[i].first), Control::Combo, Place::Registry,
                        prefix + u"Detault"_s + names[i], Encoding::CodeKey};
            list.codeTable = QString::fromLatin1(lists[i].second);
            screen.options.push_back(list);
        }
    };
    screen.saveCaption = u"&Opslaan"_s;
    side(u"Relaties - Nieuwe debiteuren"_s, u"Relaties_Deb"_s, 0);
    side(u"Relaties - Nieuwe crediteuren"_s, u"Relaties_Cred"_s, 4);
    screen.check = [](const options::OptionsLogic &logic) {
        for (const QString &days : {logic.stateOf(u"field 0"_s), logic.stateOf(u"field 4"_s)})
            if (!days.trimmed().isEmpty() && (days.toInt() < 0 || days.toInt() > 365))
                return u"Het aantal betaaldagen moet tussen 0 en 365 liggen."_s;
        return QString();
    };
    return screen;
}

} // namespace

const std::vector<options::OptionScreen> &optionScreens()
{
    static const std::vector<options::OptionScreen> screens = [] {
        std::vector<options::OptionScreen> all{
            bedrijfsgegevens(), systeem(),   orders(),   factureren(),      voorraad(), weegbrug(),
            afrekenen(),        transport(), diversen(), advanced(),        ordersGebruiker(), cmr(), relaties()};
        for (options::OptionScreen &screen : koppelingen())
            all.push_back(std::move(screen));
        return all;
    }();
    return screens;
}

} // namespace kv::company

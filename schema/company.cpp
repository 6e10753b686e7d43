#include "schema/tables.h"

namespace kv::schema {

// The one record of company data, number series, fixed accounts and administration-wide options.
// Switches are stored as the suite's other programs read them: number fields hold 1/0, yes/no
// fields -1/0.
static Table userGegevens()
{
    return {"UserGegevens", Db::Main, {
        counter("ID"),
        // Company data
        text("Naam", 100),
        text("Adres", 50), text("Huisnummer", 10), text("Postcode", 10), text("Woonplaats", 50),
        text("PostAdres", 50), text("PostHuisnummer", 10), text("PostPostcode", 10), text("PostWoonplaats", 50),
        text("ContactPersoon", 50), text("Email", 100), text("Website", 100),
        text("TelefoonNr", 20), text("MobielNr", 20), text("Faxnr", 20),
        text("FiscaalNr", 20), text("KvkPlaats", 50), text("KvKNr", 20), text("Vestigingsnummer", 20),
        text("RVDMWebserviceKey", 100),
        // Financial year and VAT
        bookYear(), integer("BoekingsPeriode"),
        dateText("BoekjaarPeriodeStart"), dateText("BoekjaarPeriodeEind"), yesNo("BoekjaarGebroken"),
        yesNo("BTWOptie"), integer("BTWperiode"), codeRef("LandCode"), text("BTWNr", 20), text("BTWID", 20),
        yesNo("UseBTWVerlegd"), yesNo("ExtendedBTWGrootboek"),
        text("ReleaseCode", 10), yesNo("AutoPeriode"), yesNo("Correctiejournaalpost"), yesNo("selectielog"),
        // Direct debit and payment batches (SEPA: names 70, creditor id 35)
        text("IncassantNaam", 70), bankAccount("IncassoRekening"), text("IncassantID", 35), longInt("IncassoNr"),
        text("BetaalNaam", 70), bankAccount("BetaalRekening"), longInt("BetaalNr"), integer("BatchBooking"),
        // Sub-administrations
        integer("Subadminsoort"), longInt("SubadminBoeking"), yesNo("SorbexLokaal"), yesNo("SorbexOnline"),
        text("InlogNaam", 50), text("Toegangscode", 50), text("PINcode", 10),
        // Digit counts, next numbers and their increments
        longInt("PositiesGrbnr"), longInt("PositiesBoeknr"), longInt("PositiesRelnr"), longInt("PositiesArtnr"),
        longInt("PositiesFactnr"), longInt("PositiesOrdnr"), longInt("PositiesMagBon"), longInt("PositiesBestelNr"),
        relNr("RelatieNr"), orderNr("OrderNummer"), documentNr("MagazijnBonNr"), documentNr("BestelNr"),
        longInt("RelNrInc"), longInt("Ordernrinc"), longInt("MagBonInc"),
        invoiceNr("FactuurNr"), invoiceNr("FactuurNr2"), invoiceNr("AfleverFactuurNr"),
        invoiceNr("CreditFactuurNr"), invoiceNr("ProformaFactuurNr"),
        // Fixed ledger accounts
        ledgerAccount("GrbRekDebiteuren"), ledgerAccount("GrbRekCrediteuren"), ledgerAccount("GrbRekBetVerschil"),
        ledgerAccount("GrbRekKortingHoog"), ledgerAccount("GrbRekKortingLaag"), ledgerAccount("GrbRekKortingNul"),
        ledgerAccount("GrbRekResultaat"), ledgerAccount("GrbRekUitzoeken"),
        // Order, invoice and stock options
        longInt("AllowOrderEntry"), longInt("AllowEditOrders"), longInt("MagazijnbonVerplicht"),
        longInt("AllowInkoopprijsOrders"), longInt("AllowPrijsIngevenOrders"), longInt("PrijsAanpassing"),
        longInt("BalieverkoopInBTW"), longInt("VerzamelOrders"), longInt("chkMinimumOpenstaandBedrag"),
        longInt("AllowProformaFacturen"), longInt("AllowFactuurRunNr"),
        yesNo("BerekenTarief"), yesNo("Autoboekstuknr"),
        currency("MinimumOpenstaandBedrag"), longInt("VoorraadMoment"),
        text("LastRitNummer", 15), text("TransportLijst", 15),
        // Age limits in days of the debtor and creditor overviews
        longInt("DebiteurDagen1"), longInt("DebiteurDagen2"), longInt("DebiteurDagen3"),
        longInt("KrediteurDagen1"), longInt("KrediteurDagen2"), longInt("KrediteurDagen3"),
        // Cemetery administration; colours are 32-bit RGB values
        text("HuurTermijn", 10), text("MatrixHorizontaal", 10), text("MatrixVerticaal", 10),
        longInt("bgascherm"), longInt("GrafSplitsen"),
        longInt("KleurGraf"), longInt("KleurPad"), longInt("KleurUrn"),
        longInt("KleurStrooiveld"), longInt("KleurHagen"), longInt("KleurUitgegeven"),
        longInt("KleurVrij"), longInt("KleurRuimen"), longInt("KleurGereserveerd"),
    }, {primaryKey({"ID"})}};
}

void addCompanyTables(std::vector<Table> &out)
{
    out.push_back(userGegevens());
    out.push_back(numbered("AdminGegevens"));

    // Employees; the initials are kept as derived from the first names. Selected and Omschrijving
    // are the mark and the short description the employee list shows first.
    out.push_back({"Medewerkers", Db::Main, {
        longInt("PersoneelsNr"), yesNo("Selected"), text("Omschrijving", 100),
        text("Achternaam", 50), text("VoorNamen", 100), text("Voorletters", 20), text("Roepnaam", 50),
        text("Geslacht", 1), dateText("GebDatum"), text("GebLand", 50), text("BSNNr", 12),
        text("HuisAdres", 50), text("HuisNr", 10), text("Postcode", 10), text("Woonplaats", 50), text("Land", 50),
        text("Telefoon", 20), text("Mobiel", 20), text("Email", 100), bankAccount("BankNr"),
        codeRef("Functie"), dateText("DatumFunctie"), dateText("DatumIndienst"), dateText("DatumUitdienst"),
        text("Uitzendbureau", 50), yesNo("KeurMeesterKCB"),
        dbl("ProvisiePercentage"), integer("BerekeningsGrondslag"), currency("Franchise"),
    }, {primaryKey({"PersoneelsNr"}), index("Achternaam", {"Achternaam"})}});

    // E-mail templates. The autonumber field is called PrimaryKey; the list, the lookups and the
    // search for a free template number all go by CodeNr ("1".."32000"), so the index is on that.
    out.push_back({"TabelEmailTemplate", Db::Main, {
        counter("PrimaryKey"), text("CodeNr", 5), text("Omschrijving", 100), integer("Type"),
        yesNo("SendUBL"), yesNo("DefaultInType"), text("DefaultUserName", 50),
        text("Sender", 100), text("EmailSender", 100), text("EmailBCC", 100), text("Subject", 255),
        yesNo("Disposition"), yesNo("ReturnReceipt"),
        memo("Content"),
        text("Attachment1", 255), text("Attachment2", 255), text("Attachment3", 255),
        text("Attachment4", 255), text("Attachment5", 255),
    }, {primaryKey({"CodeNr"})}});

    // Every value a settings screen changed, one row per value and one save number per save,
    // so that a screen's last save can be undone. The console's own table: the suite's other
    // programs do not read it. Made in older administrations when they are opened.
    out.push_back({"InstellingenLog", Db::Main, {
        counter("ID"), longInt("SaveNr"), text("Tijdstip", 14), text("Gebruiker", 50), text("Werkstation", 50),
        text("Formulier", 50), text("Plaats", 10), text("Naam", 255), memo("OudeWaarde"), memo("NieuweWaarde"),
        longInt("OngedaanDoor"), longInt("Herstelt"),
    }, {primaryKey({"ID"}), index("SaveNr", {"SaveNr"})}, true});
}

} // namespace kv::schema

#include "schema/tables.h"

namespace kv::schema {

// One line of a booking. The ledger (GrootboekMutaties) and the journal (Journaal) share it; the
// correction of bookings after the year end rewrites both by BoekstukNr.
static Table bookingLines(const char *name)
{
    return numbered(name, {
        journalCode(), bookingNr(), integer("Periode"), dateText("BoekingsDatum"),
        ledgerAccount("GrootboekReknr"), text("Omschrijving", 100),
        currency("Bedrag"), text("DCCode", 1),
        relNr("RelatieNr"), invoiceNr(), codeRef("Kostenplaats"),
        vatCode(), dbl("BTWPercentage"), currency("BTWBedrag"),
    }, {
        index("BoekstukNr", {"BoekstukNr"}),
        index("DagboekCode", {"DagboekCode", "BoekstukNr"}),
        index("GrootboekReknr", {"GrootboekReknr", "BoekingsDatum"}),
        byRelNr("RelatieNr"),
    });
}

static void addLedgerTables(std::vector<Table> &out)
{
    // Chart of accounts. Soortrek: 0 balance sheet, 1 profit and loss.
    out.push_back({"RekeningSchema", Db::Main, {
        ledgerAccount("GrootboekReknr"), text("Omschrijving", 100), integer("Soortrek"), vatCode(),
        currency("BeginsaldoDebet"), currency("BeginsaldoCredit"),
        currency("MutatieCumDebet"), currency("MutatieCumCredit"),
        yesNo("BTWRekening"), yesNo("SubAdminDebiteuren"), yesNo("SubAdminCrediteuren"),
        codeRef("Kostenplaats"), longInt("Hoofdverdichting"), longInt("Subverdichting"),
    }, {primaryKey({"GrootboekReknr"})}});

    // The summary levels carry the key that RekeningSchema refers to under the same name.
    out.push_back({"Hoofdverdichting", Db::Main,
                   {longInt("Hoofdverdichting"), text("HoofdOmschrijving", 100)},
                   {primaryKey({"Hoofdverdichting"})}});
    out.push_back({"Subverdichting", Db::Main,
                   {longInt("Subverdichting"), text("SubOmschrijving", 100)},
                   {primaryKey({"Subverdichting"})}});

    out.push_back({"Dagboek", Db::Main, {
        journalCode(), text("Omschrijving", 100), ledgerAccount("GrootboekReknr"), bankAccount("BankRekening"),
    }, {primaryKey({"DagboekCode"})}});

    out.push_back(bookingLines("GrootboekMutaties"));
    out.push_back(bookingLines("Journaal"));
    // A booking being entered, before it is committed.
    out.push_back(bookingLines("TempJournaal"));

    // PeriodeNr 0 is the opening balance, then 1..n and one correction period.
    out.push_back({"Perioden", Db::Main, {
        integer("PeriodeNr"), text("Omschrijving", 50),
        dateText("Startdatum"), dateText("Einddatum"), dateText("OpenDatum"), dateText("SluitDatum"),
        yesNo("Geblokkeerd"),
    }, {primaryKey({"PeriodeNr"})}});
}

static void addVatTables(std::vector<Table> &out)
{
    out.push_back({"BTWcodering", Db::Main, {
        vatCode(), text("Omschrijving", 100), dbl("BTWPercentage"), yesNo("InEx"),
        integer("BTWRubriek"), integer("BTWGrondslag"), integer("BTWType"),
        yesNo("BTWPercentageVrij"), yesNo("Invisible"), yesNo("BTWverlegd"),
        ledgerAccount("grootboekreknrinkoop"), ledgerAccount("grootboekreknrverkoop"),
        ledgerAccount("grootboekreknrkorting"),
        dateText("DatumVanaf"), dateText("DatumTotEnMet"),
        longInt("BTWCodeExtern"), integer("SortNr"),
    }, {primaryKey({"BTWCode"})}});
}

// Open items and the payments against them; an item is settled when
// FactuurBedrag - BedragBetaald - AfboekingsBedrag is 0. FactuurNr "TEGOED" marks a credit balance.
static void addItemTables(std::vector<Table> &out)
{
    out.push_back(numbered("OpenstaandePosten", {
        relNr(), invoiceNr(), bookYear(),
        dateText("FactuurDatum"), dateText("VervalDatum"), dateText("BetaalDatum"), text("Omschrijving", 100),
        currency("FactuurBedrag"), currency("BedragBetaald"), currency("AfboekingsBedrag"),
    }, {index("RelNr", {"RelNr", "FactuurNr"})}));

    out.push_back(numbered("Betalingen", {
        relNr(), invoiceNr(), bookingNr(), dateText("BetaalDatum"), currency("Bedrag"),
    }, {index("RelNr", {"RelNr", "FactuurNr"}), index("BoekstukNr", {"BoekstukNr"})}));
}

static void addAssetTables(std::vector<Table> &out)
{
    // Methode: 0 linear, 1 fixed percentage of book value, 2 sum of the years' digits.
    // BoekingsFrequentie: bookings per year (1, 4 or 12).
    out.push_back({"ActivaAlgemeen", Db::Main, {
        bookYear(), text("FiscaleOndergrens", 20), integer("Methode"), text("Afronden", 1), journalCode(),
    }, {primaryKey({"Boekjaar"})}});

    out.push_back({"ActivaGroepen", Db::Main, {
        longInt("InternNr"), integer("RecordCode"), text("ActivaGroep", 100), yesNo("WOZBeperking"),
        integer("Methode"), longInt("Looptijd"), dbl("Percentage"), longInt("BoekingsFrequentie"),
        longInt("Termijnen"),
        ledgerAccount("GrbRekActiva"), ledgerAccount("GrbRekAfschrijvenActiva"),
        ledgerAccount("GrbRekAfschrijvenKosten"), ledgerAccount("GrbRekVerkopen"),
        ledgerAccount("GrbRekResultaatHIR"), ledgerAccount("GrbRekResultaatVW"),
        ledgerAccount("GrbRekVervreemding"),
    }, {primaryKey({"InternNr"})}});

    // ActivaGroep here is the group's InternNr.
    out.push_back({"ActivaRegistratie", Db::Main, {
        longInt("InternNr"), integer("RecordCode"), longInt("ActivaGroep"), yesNo("WOZBeperking"),
        text("Omschrijving", 100), text("Locatie", 50), text("Identificatie", 50), text("Gebruiker", 50),
        text("Garantietermijn", 20),
        dateText("Aanschafdatum"), dateText("StartDatumAfschrijvingen"),
        currency("AanschafWaarde"), currency("RestWaarde"), currency("BasisBedragAfschrijving"),
        currency("VerzekerdBedrag"), currency("TermijnBedrag"), currency("EersteTermijnBedrag"),
        currency("Afgeschreven"), currency("Boekwaarde"), currency("HerInvesteringsReserve"),
        currency("WOZwaarde"),
        integer("Methode"), longInt("Looptijd"), dbl("Percentage"), longInt("BoekingsFrequentie"),
        longInt("Termijnen"),
    }, {primaryKey({"InternNr"}), index("ActivaGroep", {"ActivaGroep"})}});

    out.push_back(numbered("ActivaAmortisatieTabel"));
}

void addFinanceTables(std::vector<Table> &out)
{
    addLedgerTables(out);
    addVatTables(out);
    addItemTables(out);
    addAssetTables(out);

    // The rate is kept as the text FormatBedrag writes, like the amounts typed on screen.
    out.push_back({"ValutaTabel", Db::Main, {
        text("Valutacode", 3), text("valutaland", 50), text("ValutaMunt", 50),
        text("valutakoers", 20), dateText("koersdatum"), longInt("valutadecimalen"), longInt("valutavolgnr"),
    }, {primaryKey({"Valutacode"})}});

    // Bank statements, cash and the other bookkeeping tables the console only opens.
    for (const char *name : {"BTWPeriodeRapport", "Budget", "Budgetverdeling", "ContantMutaties",
                             "Dagafschriften", "DagafschriftenMutaties", "JournaalSubAdministratie",
                             "Transacties", "TransactiesVoorstel", "TabelGrootboekKoppeling"})
        out.push_back(numbered(name));
}

} // namespace kv::schema

#include "schema/tables.h"

namespace kv::schema {

// Order lines, one row per line. RecordCode: 1 open, 8 and 9 final; OrderTag "UVF" and an
// invoice number let archiving take a line in state 9.
static Table orderLines(const char *name)
{
    return {name, Db::Main, {
        orderNr(), longInt("RegelNr"), relNr(), dateText("OrderDatum"),
        integer("RecordCode"), text("OrderTag", 10),
        articleNr("Artnr"), text("Omschrijving", 100),
        dbl("Aantal"), currency("Verkoopprijs"), dbl("KortingPercentage"), currency("Bedrag"), vatCode(),
        invoiceNr(),
    }, {primaryKey({"OrderNr", "RegelNr"}), byOrderNr(), byRelNr()}};
}

// Further rows of an order; they move to the archive with it.
static Table orderSide(const char *name)
{
    return numbered(name, {orderNr()}, {byOrderNr()});
}

// Notes are walked by relation; a note whose order is gone is removed.
static Table orderNotes()
{
    return numbered("OrderNotitie", {orderNr(), relNr("Relnr"), dateText("Datum"), memo("Notitie")},
                    {byOrderNr(), byRelNr("Relnr")});
}

const std::vector<Table> &archivedOrderTables()
{
    static const std::vector<Table> moved = {
        orderLines("Ordergegevens"),
        orderSide("OrderGegevensBijgekocht"),
        orderSide("OrderGegevensKwaliteit"),
        orderSide("OrderGegevensMeta"),
        orderSide("OrderLogistiek"),
        orderNotes(),
    };
    return moved;
}

static void addInvoiceTables(std::vector<Table> &out)
{
    out.push_back(numbered("FaktuurMutaties", {relNr(), invoiceNr(), yesNo("Doorgeboekt")}, {byRelNr()}));
    for (const char *name : {"FactuurHeader", "FactuurRuns"})
        out.push_back(numbered(name));
}

static void addCounterSaleTables(std::vector<Table> &out)
{
    // Removed a year at a time.
    for (const char *name : {"BalieVerkoop", "TempBalieVerkoop"})
        out.push_back(numbered(name, {bookYear()}, {index("Boekjaar", {"Boekjaar"})}));

    // One record. Receipt numbers are zero-filled to Positiesbaliebonnr digits; the accounts copy
    // those of UserGegevens.
    out.push_back(numbered("BalieVerkoopInstellingen", {
        longInt("Positiesbaliebonnr"), documentNr("baliebonnr"),
        ledgerAccount("GrbRekKas"), ledgerAccount("GrbRekPin"), ledgerAccount("GrbRekDebiteuren"),
        ledgerAccount("GrbRekKortingHoog"), ledgerAccount("GrbRekKortingLaag"), ledgerAccount("GrbRekKortingNul"),
        text("Paswoordbalie", 20),
    }));
}

static void addPurchaseTables(std::vector<Table> &out)
{
    out.push_back(numbered("Bestellingen", {documentNr("Bestelnummer"), articleNr("ArtikelNr")},
                           {index("Bestelnummer", {"Bestelnummer"}), index("ArtikelNr", {"ArtikelNr"})}));
    for (const char *name : {"BestelTekst", "Inkoopcombinaties", "Leveringsvoorwaarden"})
        out.push_back(numbered(name));
}

void addOrderTables(std::vector<Table> &out)
{
    const std::vector<Table> &moved = archivedOrderTables();
    out.insert(out.end(), moved.begin(), moved.end());
    out.push_back(orderLines("TempOrderGegevens"));

    // Stops of a trip on the way, one row per stop at a relation's address. Archiving clears the
    // stops of orders that are gone, walking them by Relnr as it walks the notes.
    out.push_back(numbered("OrderRitTussenLocaties", {orderNr(), relNr("Relnr"), integer("Volgorde")},
                           {byOrderNr(), byRelNr("Relnr")}));

    // Trips of the planning board, with vehicle and driver.
    out.push_back({"Ritgegevens", Db::Main, {
        longInt("RitNr"), orderNr(), text("Omschrijving", 100),
        dateText("Startdatum"), dateText("Einddatum"), text("Kenteken", 15), longInt("PersoneelsNr"),
    }, {primaryKey({"RitNr"}), byOrderNr()}});

    addInvoiceTables(out);
    addCounterSaleTables(out);
    addPurchaseTables(out);
}

} // namespace kv::schema

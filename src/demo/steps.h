#pragma once

#include "demo/generator.h"

// The steps of the generator, in the order they run: each one may use what the earlier ones
// left in the Generator.
namespace kv::demo {

void writeCodeTables(Generator &gen);     // every Tabel... pick list
void writeReferenceData(Generator &gen);  // countries, currencies, customs offices, UN numbers
void writeChartOfAccounts(Generator &gen); // summary levels, accounts, journals, VAT codes, periods
void planRelations(Generator &gen);       // who the customers and suppliers are
void writeArticles(Generator &gen);
void writeOrders(Generator &gen);         // order lines, notes, trips; the sales invoices
void planInvoices(Generator &gen);        // purchase and counter-sale invoices; how each was paid
void writeLedger(Generator &gen);         // the year's bookings
void writeOpenItems(Generator &gen);      // open items, payments, invoice history
void writeRelations(Generator &gen);      // relations with their balances, contacts and addresses
void writeCompany(Generator &gen);        // company record, number series, staff and vehicles
void writeEquipment(Generator &gen);      // boats, containers, bunkers, drying, packing, shipping, tare, fees
void writeRegisters(Generator &gen);      // counter sales, stock intake, subscriptions, feed contracts, assets, mail

// The invoices that get an open item, by their place in `gen.invoices`.
std::vector<size_t> itemInvoices(const Generator &gen);

void writeNutrients(db::Database &grondstof); // units, nutrients and raw materials of Grondstof.mdb

} // namespace kv::demo

#pragma once

#include "schema/fields.h"
#include "schema/schema.h"

// Each subject's source file appends its tables to the list.
namespace kv::schema {
void addCompanyTables(std::vector<Table> &out);    // UserGegevens, AdminGegevens, Medewerkers, mail templates
void addFinanceTables(std::vector<Table> &out);    // ledger, journals, VAT, periods, assets, payments, currencies
void addRelationTables(std::vector<Table> &out);   // relations and what hangs on them
void addOrderTables(std::vector<Table> &out);      // orders, invoices, trips, counter sales, purchases
void addArticleTables(std::vector<Table> &out);    // articles, prices, stock
void addLogisticsTables(std::vector<Table> &out);  // vehicles, boats, containers, bunkers, drying, customs, ...
void addCodeTables(std::vector<Table> &out);       // the Tabel... code tables
void addCemeteryTables(std::vector<Table> &out);   // BGA...
void addFeedTables(std::vector<Table> &out);       // FG...
void addArchiveTables(std::vector<Table> &out);    // Archief: FaktuurHistorie and the ...Archief tables
void addNutrientTables(std::vector<Table> &out);   // Grondstof

// The working tables that order archiving moves into the archive, defined with the orders.
const std::vector<Table> &archivedOrderTables();

// A table whose rows have no natural key: an autonumber `ID` leads and is its PrimaryKey.
Table numbered(const char *name, std::vector<Field> fields = {}, std::vector<Index> indexes = {});

// The index a walk over one relation's or one order's rows goes by.
inline Index byRelNr(const char *field = "RelNr") { return index(field, {field}); }
inline Index byOrderNr(const char *field = "OrderNr") { return index(field, {field}); }
} // namespace kv::schema

#pragma once

#include "schema/schema.h"

// Each subject's source file appends its tables to the list.
namespace kv::schema {
void addCompanyTables(std::vector<Table> &out);    // UserGegevens, AdminGegevens, Medewerkers, ...
void addFinanceTables(std::vector<Table> &out);    // ledger, journals, VAT, periods, assets, payments
void addRelationTables(std::vector<Table> &out);   // relations and what hangs on them
void addOrderTables(std::vector<Table> &out);      // orders, invoices, trips
void addArticleTables(std::vector<Table> &out);    // articles, prices, stock
void addLogisticsTables(std::vector<Table> &out);  // boats, containers, bunkers, drying, customs, ...
void addCodeTables(std::vector<Table> &out);       // the Tabel... code tables
void addCemeteryTables(std::vector<Table> &out);   // BGA...
void addFeedTables(std::vector<Table> &out);       // FG...
void addArchiveTables(std::vector<Table> &out);    // Archief: FaktuurHistorie and the ...Archief tables
void addNutrientTables(std::vector<Table> &out);   // Grondstof
} // namespace kv::schema

#pragma once

#include "schema/schema.h"

// Field kinds that tie tables together. Each kind has one type and size everywhere, so a value
// that fits where it is made also fits every table that refers to it.
namespace kv::schema {

// Relation, order, invoice and booking numbers, like the other document numbers (warehouse
// vouchers, purchase orders, counter receipts), are zero-filled texts whose digit count the
// administration chooses (UserGegevens.Posities...); 15 leaves room beyond any sensible count.
inline Field relNr(const char *name = "RelNr") { return text(name, 15); }
inline Field orderNr(const char *name = "OrderNr") { return text(name, 15); }
inline Field invoiceNr(const char *name = "FactuurNr") { return text(name, 15); }
inline Field bookingNr(const char *name = "BoekstukNr") { return text(name, 15); }
inline Field documentNr(const char *name) { return text(name, 15); }

// Article numbers also hold suppliers' codes, hence wider.
inline Field articleNr(const char *name = "ArtikelNummer") { return text(name, 20); }

// RekeningSchema.GrootboekReknr; an account number may carry a "*" (left out of the audit file).
inline Field ledgerAccount(const char *name) { return text(name, 15); }

inline Field journalCode(const char *name = "DagboekCode") { return text(name, 10); }

// A four-digit year, compared as text with the year of the administration's folder.
inline Field bookYear(const char *name = "Boekjaar") { return text(name, 4); }

// In braces: {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}.
inline Field guid(const char *name = "Guid") { return text(name, 38); }

// An IBAN (at most 34 characters) or an older domestic account number.
inline Field bankAccount(const char *name) { return text(name, 34); }

// A code table's CodeNr kept in another table.
inline Field codeRef(const char *name) { return integer(name); }

inline Field vatCode(const char *name = "BTWCode") { return integer(name); }

} // namespace kv::schema

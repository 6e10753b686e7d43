#pragma once

#include <QString>
#include <QStringView>

#include <span>

namespace kv::codetables {

// What the editor shows above a code table: its caption and an example of what belongs in it.
struct CodeTable {
    QStringView key; // the table name in lower case
    QStringView caption;
    QStringView example; // empty when the table has none
};

// The code tables the editor knows, in the order the suite lists them.
std::span<const CodeTable> codeTables();

// The entry of `table` (any case); a table the editor does not know gets its own name as caption
// and no example, so that any code table can still be maintained. The views of that fallback
// point into `table`.
CodeTable codeTableFor(QStringView table);

// How many entries the list of `table` always shows.
int slotCount(QStringView table);

// Tables whose entries are amounts and are stored as `FormatBedrag` writes them.
bool holdsAmounts(QStringView table);

// The text of an entry that holds nothing.
inline constexpr QStringView NietIngesteld = u"(niet ingesteld)";

} // namespace kv::codetables

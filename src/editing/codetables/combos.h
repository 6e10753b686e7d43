#pragma once

#include <QString>

class QComboBox;

namespace kv {
class Context;
namespace db {
class Recordset;
}
} // namespace kv

namespace kv::codetables {

// The description combos of the screens, filled from a code table. An item's data is the
// entry's key: its position in `PrimaryKey` order.

// Fills `combo` with the trimmed descriptions of the active entries of `table`. Keys count
// every entry, also the ones left out, from 1 (from 0 when `fromZero` is not empty). A
// non-empty `noChoice` comes first with key -1, so a screen can offer "nothing chosen".
void FillCombo(QComboBox *combo, db::Recordset &table, const QString &noChoice = {}, const QString &fromZero = {},
               bool skipNietIngesteld = false);

// The description of entry `key`; "n/a" for an entry that holds nothing, "" when there is none.
QString GetOmschrijving(db::Recordset &table, int key);
QString GetOmschrijvingUitTabel(Context &ctx, const QString &table, int key);

// The key of the chosen item, -1 when nothing is chosen. A combo that could not show the
// stored key answers that key, so saving the screen does not lose it.
int GetComboKey(const QComboBox *combo, int storedKey);

// Chooses the item of `key`; a key the list does not hold marks the combo (dark red) unless
// `keepColour`. A null combo is left alone.
void SetComboKey(QComboBox *combo, int key, bool keepColour = false);

} // namespace kv::codetables

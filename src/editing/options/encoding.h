#pragma once

#include "editing/options/option.h"

#include <QVariant>

#include <optional>

namespace kv {
struct Separators;
}

namespace kv::options {

// The state a control shows for a stored value (a null QVariant: nothing stored): "on"/"off"
// for a toggle, the text of a field, the position of the chosen item for a choice.
QString shownState(const Option &option, const QVariant &stored, const Separators &separators);

// What is stored for a control's state. Nothing (std::nullopt) when the state cannot be
// stored (a number field holding no number). `digits`: a counter's digit count.
std::optional<QVariant> storedValue(const Option &option, const QString &state, const Separators &separators,
                                    int digits = 0);

// A state as the user reads it: "aan"/"uit" for a toggle, the chosen item's caption, the text.
QString describedState(const Option &option, const QString &state);

} // namespace kv::options

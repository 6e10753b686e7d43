#pragma once

#include "editing/options/option.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kv {
class Context;
}

namespace kv::options {

// The option screens without their windows, for `korvenal-admin opties`.

// One option as the tool lists it: the screen, the key (the stored name; a marker file's name,
// with ":line" when the file holds several), the value as stored ("" for nothing) and as shown
// ("aan"/"uit", the chosen item's text, or the field's text).
struct OptionRow {
    QString form, key, stored, shown;
    Control kind = Control::Text;
};
std::vector<OptionRow> listOptions(Context &ctx, const std::vector<OptionScreen> &screens);

// Sets "key=value" pairs on one screen (toggles "aan"/"uit", choices by item position from 0,
// fields as typed) and saves with the screen's own checks. False, with the reason through the
// dialog service, for an unknown key, a value the option cannot take or a failed check; then
// nothing is written.
bool setOptions(Context &ctx, const OptionScreen &screen, const QStringList &assignments);

} // namespace kv::options

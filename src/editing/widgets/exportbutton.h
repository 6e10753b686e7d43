#pragma once

#include <functional>
#include <optional>

class QPushButton;
class QWidget;

namespace kv {

class Context;
struct ListSource;

// "Exporteren..." for a screen's list: opens the export window over what `source` gives at
// the moment of the click; nothing opens when it gives nothing (it told the user why). No
// button (nullptr) when the console exports nothing.
QPushButton *exportButton(Context &ctx, QWidget *screen, std::function<std::optional<ListSource>()> source);

} // namespace kv

#pragma once

#include "editing/listdetail/listscreen.h"

namespace kv {
class ScreenRegistry;
}

namespace kv::listdetail {

// Registers the list screen of every member under its screen name, with "Exporteren..." when
// an export is given.
void registerListDetailScreens(ScreenRegistry &screens, const ListScreen::ExportHook &exportHook = {});

} // namespace kv::listdetail

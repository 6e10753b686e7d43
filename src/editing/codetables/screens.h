#pragma once

namespace kv {
class ScreenRegistry;
}

namespace kv::codetables {

// The code-table editor `frmHulp`.
void registerCodeTableScreens(ScreenRegistry &screens);

} // namespace kv::codetables

#pragma once

namespace kv {
class ScreenRegistry;
}

namespace kv::listdetail {

// Registers the list screen of every member under its screen name.
void registerListDetailScreens(ScreenRegistry &screens);

} // namespace kv::listdetail

#pragma once

namespace kv {
class ScreenRegistry;

// Registers the e-mail screens: the template list with its server line.
void registerMailScreens(ScreenRegistry &screens);

} // namespace kv

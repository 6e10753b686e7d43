#pragma once

namespace kv {
class ScreenRegistry;

// Registers the printing screens: the printer settings.
void registerPrintingScreens(ScreenRegistry &screens);

} // namespace kv

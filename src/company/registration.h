#pragma once

namespace kv {
class ScreenRegistry;
}

namespace kv::company {

// Registers the screens of company data, numbering and the trade options.
void registerCompanyScreens(ScreenRegistry &screens);

} // namespace kv::company

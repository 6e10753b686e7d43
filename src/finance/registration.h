#pragma once

namespace kv {
class ScreenRegistry;
}

namespace kv::finance {

// Registers the bookkeeping screens: VAT codes, administration settings, periods and the
// correction of bookings made after the year end.
void registerFinanceScreens(ScreenRegistry &screens);

} // namespace kv::finance

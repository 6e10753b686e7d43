#include "finance/registration.h"

#include "core/navigation/screenregistry.h"

namespace kv::finance {

void registerFinanceScreens(ScreenRegistry &screens)
{
    (void)screens;
}

} // namespace kv::finance

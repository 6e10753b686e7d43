#include "company/registration.h"

#include "company/options/tradeoptions.h"
#include "editing/options/optionsscreen.h"

namespace kv::company {

void registerCompanyScreens(ScreenRegistry &screens)
{
    options::registerOptionScreens(screens, tradeOptionScreens());
}

} // namespace kv::company

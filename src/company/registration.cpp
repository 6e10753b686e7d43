#include "company/registration.h"

#include "company/options/optionscreens.h"
#include "editing/options/optionsscreen.h"

namespace kv::company {

void registerCompanyScreens(ScreenRegistry &screens)
{
    options::registerOptionScreens(screens, optionScreens());
}

} // namespace kv::company

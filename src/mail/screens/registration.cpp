#include "mail/screens/registration.h"

#include "core/navigation/screenregistry.h"
#include "editing/listdetail/listscreen.h"
#include "mail/screens/templatelist.h"

namespace kv {

void registerMailScreens(ScreenRegistry &screens)
{
    screens.add(templatesMember().screen,
                [](Context &ctx) { return std::make_unique<listdetail::ListScreen>(ctx, templatesMember()); });
}

} // namespace kv

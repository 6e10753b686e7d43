#include "editing/listdetail/registration.h"

#include "core/navigation/screenregistry.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/members/members.h"

namespace kv::listdetail {

void registerListDetailScreens(ScreenRegistry &screens)
{
    for (const Member &member : members()) {
        screens.add(member.screen, [&member](Context &ctx) { return std::make_unique<ListScreen>(ctx, member); });
    }
}

} // namespace kv::listdetail

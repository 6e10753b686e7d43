#include "editing/listdetail/registration.h"

#include "core/navigation/screenregistry.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/members/members.h"

namespace kv::listdetail {

void registerListDetailScreens(ScreenRegistry &screens, const ListScreen::ExportHook &exportHook)
{
    for (const Member &member : members()) {
        screens.add(member.screen, [&member, exportHook](Context &ctx) {
            auto screen = std::make_unique<ListScreen>(ctx, member);
            if (exportHook)
                screen->offerExport(exportHook);
            return screen;
        });
    }
}

} // namespace kv::listdetail

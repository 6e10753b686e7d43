#include "editing/codetables/screens.h"

#include "core/navigation/screenregistry.h"
#include "editing/codetables/frmhulp.h"

namespace kv::codetables {

void registerCodeTableScreens(ScreenRegistry &screens)
{
    screens.add(QStringLiteral("frmHulp"), [](Context &ctx) { return std::make_unique<FrmHulp>(ctx); });
}

} // namespace kv::codetables

#include "finance/registration.h"

#include "core/navigation/screenregistry.h"
#include "finance/vat/frmbtw.h"

namespace kv::finance {

void registerFinanceScreens(ScreenRegistry &screens)
{
    screens.add(QStringLiteral("frmBTW"), [](Context &ctx) { return std::make_unique<FrmBTW>(ctx); });
}

} // namespace kv::finance

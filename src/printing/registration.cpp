#include "printing/registration.h"

#include "core/navigation/screenregistry.h"
#include "printing/frmprinters.h"

namespace kv {

void registerPrintingScreens(ScreenRegistry &screens)
{
    screens.add(QStringLiteral("frmPrinters"), [](Context &ctx) { return std::make_unique<frmPrinters>(ctx); });
}

} // namespace kv

#include "finance/registration.h"

#include "core/navigation/screenregistry.h"
#include "editing/listdetail/listscreen.h"
#include "finance/assets/assetmembers.h"
#include "finance/auditfile/frmauditfile.h"
#include "finance/correction/correctionscreen.h"
#include "finance/periods/periodsmember.h"
#include "finance/vat/frmbtw.h"

namespace kv::finance {

void registerFinanceScreens(ScreenRegistry &screens)
{
    screens.add(QStringLiteral("frmBTW"), [](Context &ctx) { return std::make_unique<FrmBTW>(ctx); });
    screens.add(periodsMember().screen,
                [](Context &ctx) { return std::make_unique<listdetail::ListScreen>(ctx, periodsMember()); });
    for (const listdetail::Member *member : {&assets::groupsMember(), &assets::registerMember()})
        screens.add(member->screen, [member](Context &ctx) { return std::make_unique<listdetail::ListScreen>(ctx, *member); });
    screens.add(QStringLiteral("frmAuditFile"), [](Context &ctx) { return std::make_unique<auditfile::FrmAuditFile>(ctx); });
    screens.add(QStringLiteral("frmBoekhouding_CorrectieBoekPeriode"),
                [](Context &ctx) { return std::make_unique<CorrectionScreen>(ctx); });
}

} // namespace kv::finance

#include "mail/testorder.h"

#include "core/context.h"
#include "mail/templatestore.h"
#include "mail/testemail.h"

namespace kv {

TestOrder prepareTestEmail(Context &ctx, const QString &codeNr, const QString &typed)
{
    TestOrder order;
    const std::optional<EmailTemplate> sjabloon = readTemplate(ctx, codeNr);
    if (!sjabloon) {
        order.refusal = SjabloonNietGevonden.toString();
        return order;
    }
    order.address = typedAddress(typed);
    order.settings = readServerSettings(*ctx.registry, ctx.AdminCode);
    order.sjabloon = *sjabloon;
    order.factuurNr = currentFactuurNr(ctx);
    order.refusal = testEmailRefusal(order.settings, order.sjabloon, order.address);
    return order;
}

void sendTestEmail(const Context &ctx, const TestOrder &order, Progress *progress)
{
    sendTestEmail(ctx, order.settings, order.sjabloon, order.factuurNr, order.address, progress);
}

} // namespace kv

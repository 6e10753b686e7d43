#include "mail/templatestore.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/session/session.h"

namespace kv {

std::optional<EmailTemplate> readTemplate(Context &ctx, const QString &codeNr)
{
    auto rs = ctx.session->DBAdmin().OpenTable(QStringLiteral("TabelEmailTemplate"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    rs->Seek(u"=", codeNr);
    if (rs->NoMatch())
        return std::nullopt;
    EmailTemplate t;
    t.CodeNr = rs->text(u"CodeNr");
    t.Omschrijving = rs->text(u"Omschrijving");
    t.Sender = rs->text(u"Sender").trimmed();
    t.EmailSender = rs->text(u"EmailSender").trimmed();
    t.EmailBCC = rs->text(u"EmailBCC");
    t.Subject = rs->text(u"Subject").trimmed();
    t.Content = rs->text(u"Content");
    t.Disposition = rs->value(u"Disposition").toBool();
    t.ReturnReceipt = rs->value(u"ReturnReceipt").toBool();
    for (size_t slot = 0; slot < t.Attachments.size(); ++slot)
        t.Attachments[slot] = rs->text(QStringLiteral("Attachment%1").arg(slot + 1)).trimmed();
    return t;
}

QString currentFactuurNr(Context &ctx)
{
    auto rs = ctx.session->DBAdmin().OpenTable(QStringLiteral("UserGegevens"));
    if (rs->Eof())
        return {};
    rs->MoveFirst();
    return rs->text(u"FactuurNr").trimmed();
}

} // namespace kv

#include "editing/options/audittrail.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/numbermarks.h"
#include "core/db/recordset.h"
#include "core/session/session.h"

namespace kv::options {
namespace {

const QString kTrail = QStringLiteral("InstellingenLog");

std::unique_ptr<db::Recordset> bySaveNumber(Context &ctx)
{
    auto rs = ctx.session->DBAdmin().OpenTable(kTrail);
    rs->setIndex(QStringLiteral("SaveNr"));
    return rs;
}

} // namespace

QVariant logText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.isNull() ? QVariant() : QVariant(value.toString());
    }
}

qint64 recordSave(Context &ctx, const QString &form, const std::vector<AuditEntry> &entries, qint64 undoes)
{
    db::Database &db = ctx.session->DBAdmin();
    const qint64 number = db::nextNumber(db, kTrail, QStringLiteral("SaveNr"));
    db::numberUsed(db, kTrail, QStringLiteral("SaveNr"), number);
    const QString when = ctx.now().toString(QStringLiteral("yyyyMMddHHmmss")); // one moment for the whole save
    auto rs = db.OpenTable(kTrail);
    for (const AuditEntry &entry : entries) {
        rs->AddNew();
        rs->setValue(u"SaveNr", number);
        rs->setValue(u"Tijdstip", when);
        rs->setValue(u"Gebruiker", ctx.user);
        rs->setValue(u"Werkstation", ctx.workstation);
        rs->setValue(u"Formulier", form);
        rs->setValue(u"Plaats", entry.place);
        rs->setValue(u"Naam", entry.name);
        rs->setValue(u"OudeWaarde", entry.before);
        rs->setValue(u"NieuweWaarde", entry.after);
        if (undoes)
            rs->setValue(u"Herstelt", undoes);
        rs->Update();
    }
    return number;
}

std::optional<LoggedSave> lastSave(Context &ctx, const QString &form)
{
    auto rs = bySaveNumber(ctx);
    qint64 number = 0;
    for (rs->MoveLast(); !rs->Bof() && !number; rs->MovePrevious()) {
        const bool ours = rs->text(u"Formulier").compare(form, Qt::CaseInsensitive) == 0
                       && rs->text(u"Gebruiker") == ctx.user && rs->text(u"Werkstation") == ctx.workstation;
        if (ours && rs->isNull(u"OngedaanDoor") && rs->isNull(u"Herstelt"))
            number = rs->value(u"SaveNr").toLongLong();
    }
    if (!number)
        return std::nullopt;
    LoggedSave save{number, {}, {}};
    for (rs->Seek(u"=", number); !rs->NoMatch() && !rs->Eof() && rs->value(u"SaveNr").toLongLong() == number;
         rs->MoveNext()) {
        save.when = QDateTime::fromString(rs->text(u"Tijdstip"), QStringLiteral("yyyyMMddHHmmss"));
        save.entries.push_back({rs->text(u"Plaats"), rs->text(u"Naam"), rs->value(u"OudeWaarde"), rs->value(u"NieuweWaarde")});
    }
    return save;
}

void markUndone(Context &ctx, qint64 save, qint64 by)
{
    auto rs = bySaveNumber(ctx);
    for (rs->Seek(u"=", save); !rs->NoMatch() && !rs->Eof() && rs->value(u"SaveNr").toLongLong() == save; rs->MoveNext()) {
        rs->Edit();
        rs->setValue(u"OngedaanDoor", by);
        rs->Update();
    }
}

} // namespace kv::options

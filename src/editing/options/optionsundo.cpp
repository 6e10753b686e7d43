// Undoing a screen's last save from the settings trail.
#include "editing/options/optionslogic.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/options/outsidewrites.h"

#include <map>

namespace kv::options {
namespace {

// A value of the trail as the column takes it.
QVariant columnValue(schema::Type type, const QVariant &text)
{
    if (text.isNull())
        return {};
    switch (type) {
    case schema::Type::Text:
    case schema::Type::Memo:
        return text.toString();
    case schema::Type::YesNo:
        return text.toString() != u"0";
    default:
        return text.toString().toDouble();
    }
}

// A value the trail does not show is not put back either.
bool secret(const AuditEntry &entry)
{
    return entry.after.toString() == Verborgen || entry.before.toString() == Verborgen;
}

QString question(const LoggedSave &last)
{
    QStringList lines{u"Wilt u de wijziging van " + last.when.toString(QStringLiteral("dd-MM-yyyy HH:mm"))
                          + u" ongedaan maken?",
                      QString()};
    for (const AuditEntry &entry : last.entries)
        if (!secret(entry))
            lines << entry.name + u": " + (entry.before.isNull() ? QStringLiteral("(geen)") : entry.before.toString().trimmed());
    return lines.join(u'\n');
}

} // namespace

bool OptionsLogic::undoLast()
{
    bool undone = false;
    tryOperation(m_ctx, m_screen.screen + u": Ongedaan maken", [&] { undone = undo(); });
    return undone;
}

bool OptionsLogic::undo()
{
    const std::optional<LoggedSave> last = lastSave(m_ctx, m_screen.screen);
    if (!last) {
        m_ctx.dialogs->MsgBox(QStringLiteral("Er is geen wijziging om ongedaan te maken."), mb::Information);
        return false;
    }
    if (m_ctx.dialogs->MsgBox(question(*last), mb::YesNo | mb::Question | mb::DefaultButton2) != mb::Yes)
        return false;

    Registry::Values values;
    std::vector<AuditEntry> reversed;
    QString changedSince;
    for (const AuditEntry &entry : last->entries) {
        if (secret(entry))
            continue;
        reversed.push_back({entry.place, entry.name, entry.after, entry.before});
        if (entry.place != TrailRegistry)
            continue;
        values.emplace_back(entry.name, entry.before.toString());
        // A program may have moved the value on since (this workstation's next order number).
        if (changedSince.isEmpty() && m_ctx.registry->LeesRegistry(RegKeyKorvenal, entry.name) != entry.after.toString())
            changedSince = entry.name;
    }
    OutsideWrites outside(m_ctx);
    if (changedSince.isEmpty()) {
        try {
            outside.registry(values);
            for (const AuditEntry &entry : last->entries)
                if (entry.place == TrailFile)
                    outside.file(markerPath(entry.name), entry.before.isNull()
                                                              ? std::nullopt
                                                              : std::optional(entry.before.toString().toUtf8()));
            m_ctx.session->DBAdmin().write([&] {
                changedSince = restoreUserGegevens(*last);
                if (changedSince.isEmpty())
                    markUndone(m_ctx, last->number, recordSave(m_ctx, m_screen.screen, reversed, last->number));
            });
        } catch (...) {
            outside.putBack();
            throw;
        }
    }
    if (!changedSince.isEmpty()) { // nothing of it was written, or all is put back
        outside.putBack();
        m_ctx.dialogs->MsgBox(u"Deze wijziging kan niet meer ongedaan worden gemaakt: " + changedSince
                                  + u" is daarna opnieuw gewijzigd.",
                              mb::Exclamation);
        return false;
    }
    load();
    return true;
}

// Puts the columns of a save back, in the caller's transaction, when each still holds what that
// save wrote; otherwise the name of the first that does not, and nothing is written.
QString OptionsLogic::restoreUserGegevens(const LoggedSave &save)
{
    std::map<QString, std::vector<const AuditEntry *>> byTable;
    for (const AuditEntry &entry : save.entries)
        if (entry.place == TrailDatabase && !secret(entry))
            byTable[entry.name.section(u'.', 0, 0)].push_back(&entry);
    for (const auto &[table, columns] : byTable) { // all checked before any is written
        db::Recordset &rs = m_ctx.session->table(table);
        rs.MoveFirst();
        for (const AuditEntry *entry : columns)
            if (rs.Eof() || logText(rs.value(entry->name.section(u'.', 1))) != entry->after)
                return entry->name;
    }
    for (const auto &[table, columns] : byTable) {
        db::Recordset &rs = m_ctx.session->table(table);
        const db::TableInfo &info = m_ctx.session->DBAdmin().table(table);
        rs.MoveFirst();
        rs.Edit();
        try {
            for (const AuditEntry *entry : columns) {
                const QString column = entry->name.section(u'.', 1);
                rs.setValue(column, columnValue(info.columns[size_t(info.column(column))].type, entry->before));
            }
            rs.Update();
        } catch (...) {
            rs.CancelUpdate();
            throw;
        }
    }
    return {};
}

} // namespace kv::options

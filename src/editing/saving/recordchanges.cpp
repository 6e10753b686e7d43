#include "editing/saving/recordchanges.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "editing/saving/guardedwrite.h"
#include "editing/text.h"

#include <QStringList>

#include <algorithm>

namespace kv {
namespace {

QString orEmpty(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("(leeg)") : text;
}

FieldChange &changeOf(std::vector<FieldChange> &changes, const QString &field)
{
    return *std::find_if(changes.begin(), changes.end(), [&](const FieldChange &c) { return c.field == field; });
}

// Locks the record, puts the changes in its edit buffer and returns the fields whose stored
// value is neither what was loaded nor what the user wants. On a difference the edit is
// cancelled, so the lock goes with the transaction.
std::vector<TheirValue> editChanged(db::Recordset &rs, std::vector<FieldChange> &changes)
{
    rs.Edit();
    std::vector<TheirValue> differing;
    for (const FieldChange &change : changes) {
        const QVariant stored = rs.value(change.field);
        rs.setValue(change.field, change.value);
        if (stored != change.loaded && stored != rs.value(change.field))
            differing.push_back({change.field, stored});
    }
    if (!differing.empty())
        rs.CancelUpdate();
    return differing;
}

bool askOverwrite(Context &ctx, const RecordSave &save, std::vector<FieldChange> &changes,
                  const std::vector<TheirValue> &differing)
{
    QStringList lines{IntussenGewijzigd.toString()};
    for (const TheirValue &their : differing) {
        const FieldChange &change = changeOf(changes, their.field);
        lines << veldNaam(change.caption) + u": nu " + orEmpty(save.shown(their.field, their.value)) + u", uw invoer "
                     + orEmpty(change.input);
    }
    lines << QString() << TochOpslaan.toString();
    return ctx.dialogs->MsgBox(lines.join(u'\n'), mb::YesNo | mb::Question | mb::DefaultButton2) == mb::Yes;
}

} // namespace

SaveResult saveChanges(Context &ctx, const RecordSave &save, std::vector<FieldChange> &changes,
                       std::vector<TheirValue> &theirs)
{
    if (changes.empty())
        return SaveResult::Saved;
    bool gone = false;
    std::vector<QVariant> written;
    std::vector<TheirValue> differing;
    try {
        const bool saved = writeGuarded(
            save.db,
            [&] {
                gone = !save.seek(save.rs);
                return gone ? std::vector<TheirValue>{} : editChanged(save.rs, changes);
            },
            [&] {
                if (gone)
                    return;
                written.clear();
                for (const FieldChange &change : changes)
                    written.push_back(save.rs.value(change.field));
                save.rs.Update();
                if (save.alongside)
                    save.alongside();
            },
            [&](const std::vector<TheirValue> &found) {
                differing = found;
                if (!askOverwrite(ctx, save, changes, found))
                    return false;
                for (const TheirValue &their : found)
                    changeOf(changes, their.field).loaded = their.value; // what the user chose to overwrite
                return true;
            });
        if (!saved) {
            theirs = differing;
            return SaveResult::Theirs;
        }
    } catch (...) {
        save.rs.CancelUpdate();
        throw;
    }
    if (gone) {
        ctx.dialogs->MsgBox(IntussenVerwijderd.toString(), mb::Exclamation);
        return SaveResult::Deleted;
    }
    for (size_t i = 0; i < changes.size(); ++i)
        changes[i].loaded = written[i];
    return SaveResult::Saved;
}

} // namespace kv

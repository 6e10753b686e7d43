// Undoing a screen's last save from the settings trail.
#include "editing/options/undo.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/db/tableinfo.h"
#include "core/dialogs.h"
#include "core/registry/registry.h"
#include "core/session/session.h"
#include "editing/options/audittrail.h"
#include "editing/options/optionslogic.h"
#include "editing/options/outsidewrites.h"

#include <algorithm>
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

// The database values of a save, by record: "UserGegevens" (its one record) or
// "BTWcodering[6]" (a row on its primary key), each with its column entries.
struct Record {
    QString table, key; // no key: the table's first record
    std::vector<const AuditEntry *> entries;
    QString keyColumn; // a row's key field: a save that added or deleted the row keeps it too
    // A row the save added or deleted, told by its key field; a table's one record is only ever
    // changed, and so is a row whose key the save did not write.
    bool added() const { return keyEntry() && keyEntry()->before.isNull(); }
    bool deleted() const { return keyEntry() && keyEntry()->after.isNull(); }
    const AuditEntry *keyEntry() const
    {
        const auto found = std::find_if(entries.begin(), entries.end(), [&](auto *e) {
            return !key.isEmpty() && e->name.section(u'.', 1).compare(keyColumn, Qt::CaseInsensitive) == 0;
        });
        return found == entries.end() ? nullptr : *found;
    }
};

std::vector<Record> recordsOf(Context &ctx, const LoggedSave &save)
{
    std::map<QString, Record> records;
    for (const AuditEntry &entry : save.entries) {
        if (entry.place != TrailDatabase || secret(entry) || !entry.name.contains(u'.'))
            continue;
        const QString record = entry.name.section(u'.', 0, 0);
        Record &r = records[record];
        r.table = record.section(u'[', 0, 0);
        if (record.contains(u'['))
            r.key = record.section(u'[', 1).chopped(1);
        r.entries.push_back(&entry);
    }
    std::vector<Record> list;
    for (auto &[name, record] : records) {
        if (!record.key.isEmpty()) {
            const db::TableInfo &info = ctx.session->DBAdmin().table(record.table);
            record.keyColumn = info.columns[size_t(info.index(u"PrimaryKey")->columns.front())].name;
        }
        list.push_back(record);
    }
    return list;
}

QString columnOf(const AuditEntry *entry)
{
    return entry->name.section(u'.', 1);
}

// Onto the record, or false when it is not there.
bool seek(db::Recordset &rs, const Record &record)
{
    if (record.key.isEmpty()) {
        rs.MoveFirst();
        return !rs.Eof();
    }
    rs.setIndex(QStringLiteral("PrimaryKey"));
    rs.Seek(u"=", record.key);
    return !rs.NoMatch();
}

// Puts the database values of a save back, in the caller's transaction, when each still holds
// what that save wrote; otherwise the name of the first that does not, and nothing is written.
QString restoreDatabase(Context &ctx, const LoggedSave &save)
{
    const std::vector<Record> records = recordsOf(ctx, save);
    db::Database &db = ctx.session->DBAdmin();
    for (const Record &record : records) { // all checked before any is written
        auto rs = db.OpenTable(record.table);
        const bool there = seek(*rs, record);
        if (record.added() && !there)
            continue; // gone already: nothing to take back
        if (record.deleted()) {
            if (there)
                return record.entries.front()->name; // made again since
            continue;
        }
        for (const AuditEntry *entry : record.entries)
            if (!there || logText(rs->value(columnOf(entry))) != entry->after)
                return entry->name;
    }
    for (const Record &record : records) {
        const db::TableInfo &info = db.table(record.table);
        auto rs = db.OpenTable(record.table);
        const bool there = seek(*rs, record);
        if (record.added()) {
            if (there)
                rs->Delete();
            continue;
        }
        if (!there && !record.deleted())
            continue;
        record.deleted() ? rs->AddNew() : rs->Edit();
        try {
            if (record.deleted() && !record.key.isEmpty()) // the key itself may not be among the values
                rs->setValue(info.columns[size_t(info.index(u"PrimaryKey")->columns.front())].name, record.key);
            for (const AuditEntry *entry : record.entries) {
                const QString column = columnOf(entry);
                rs->setValue(column, columnValue(info.columns[size_t(info.column(column))].type, entry->before));
            }
            rs->Update();
        } catch (...) {
            rs->CancelUpdate();
            throw;
        }
    }
    return {};
}

} // namespace

bool undoLastSave(Context &ctx, const QString &form, const std::function<QString(const QString &file)> &filePath)
{
    const std::optional<LoggedSave> last = lastSave(ctx, form);
    if (!last) {
        ctx.dialogs->MsgBox(QStringLiteral("Er is geen wijziging om ongedaan te maken."), mb::Information);
        return false;
    }
    for (const AuditEntry &entry : last->entries) {
        if (entry.place == TrailDatabase && entry.name == u"ArtikelenBTW") { // counted, not kept row by row
            ctx.dialogs->MsgBox(QStringLiteral("Deze wijziging kan niet ongedaan worden gemaakt: de grootboekkoppelingen "
                                               "per artikel zijn gewijzigd."),
                                mb::Exclamation);
            return false;
        }
    }
    if (ctx.dialogs->MsgBox(question(*last), mb::YesNo | mb::Question | mb::DefaultButton2) != mb::Yes)
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
        if (changedSince.isEmpty() && ctx.registry->LeesRegistry(RegKeyKorvenal, entry.name) != entry.after.toString())
            changedSince = entry.name;
    }
    OutsideWrites outside(ctx);
    if (changedSince.isEmpty()) {
        try {
            outside.registry(values);
            for (const AuditEntry &entry : last->entries)
                if (entry.place == TrailFile)
                    outside.file(filePath(entry.name), entry.before.isNull()
                                                           ? std::nullopt
                                                           : std::optional(entry.before.toString().toUtf8()));
            ctx.session->DBAdmin().write([&] {
                changedSince = restoreDatabase(ctx, *last);
                if (changedSince.isEmpty())
                    markUndone(ctx, last->number, recordSave(ctx, form, reversed, last->number));
            });
        } catch (...) {
            outside.putBack();
            throw;
        }
    }
    if (!changedSince.isEmpty()) { // nothing of it was written, or all is put back
        outside.putBack();
        ctx.dialogs->MsgBox(u"Deze wijziging kan niet meer ongedaan worden gemaakt: " + changedSince
                                + u" is daarna opnieuw gewijzigd.",
                            mb::Exclamation);
        return false;
    }
    return true;
}

} // namespace kv::options

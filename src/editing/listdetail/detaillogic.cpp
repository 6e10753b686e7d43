#include "editing/listdetail/detaillogic.h"

#include "editing/options/audittrail.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/db/numbermarks.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "editing/saving/checks.h"
#include "editing/saving/recordchanges.h"
#include "editing/listdetail/values.h"

namespace kv::listdetail {

DetailLogic::DetailLogic(Context &ctx, const Member &member)
    : m_ctx(ctx), m_member(member), m_tables(ctx, member.database)
{
    m_adding = ctx.EditMode != u"edit";
    m_editKey = ctx.EditKey;
    tryOperation(ctx, member.popup + u": Laden", [&] { load(); });
    ctx.EditMode.clear();
    ctx.EditKey.clear();
}

void DetailLogic::load()
{
    db::Recordset &rs = m_tables.table(m_member.table);
    const bool found = !m_adding && seekEdited(rs);
    m_gone = !m_adding && !found;
    for (const Field &field : m_member.fields) {
        if (found) {
            m_loaded[field.name] = rs.value(field.name);
            m_texts[field.name] = fieldText(m_ctx, field.kind, m_loaded[field.name]);
        } else if (field.numberedOnAdd && field.initial.isEmpty() && !field.caption.isEmpty()) {
            m_proposed[field.name] = db::nextNumber(m_tables.database(), m_member.table, field.name);
            m_texts[field.name] = QString::number(m_proposed[field.name]);
        } else {
            m_texts[field.name] = field.initial;
        }
    }
    m_loadedTexts = m_texts;
}

void DetailLogic::setText(const QString &field, const QString &text)
{
    if (m_texts.value(field) == text && m_texts.contains(field))
        return;
    m_texts[field] = text;
    if (m_member.edited)
        m_member.edited(*this, field);
}

std::vector<DetailLogic::Choice> DetailLogic::choices(const QString &field)
{
    const Field *f = m_member.field(field);
    std::vector<Choice> offered;
    if (!f)
        return offered;
    for (qsizetype i = 0; i < f->choices.size(); ++i)
        offered.push_back({f->choices[i], f->kind != Kind::Number ? f->choices[i]
                                                                 : QString::number(f->choiceValues.value(i, i))});
    if (f->choicesFrom) {
        tryOperation(m_ctx, m_member.popup + u": Laden", [&] {
            db::Recordset &rs = m_tables.table(f->choicesFrom->table);
            rs.setIndex(QStringLiteral("PrimaryKey"));
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
                offered.push_back({rs.text(f->choicesFrom->text).trimmed(), rs.text(f->choicesFrom->value).trimmed()});
        });
    }
    return offered;
}

bool DetailLogic::seekEdited(db::Recordset &rs)
{
    rs.setIndex(QStringLiteral("PrimaryKey"));
    rs.Seek(u"=", m_editKey);
    return !rs.NoMatch();
}

bool DetailLogic::leave(const QString &field)
{
    const Field *f = m_member.field(field);
    if (!f)
        return true;
    const auto shown = leftText(m_ctx, f->kind, text(field));
    if (!shown) {
        m_ctx.dialogs->MsgBox(OnlogischeDatum.toString(), mb::Exclamation);
        return false;
    }
    setText(field, *shown);
    return true;
}

bool DetailLogic::save()
{
    QHash<QString, QVariant> values;
    if (!readValues(values))
        return false;
    if (!passesChecks(m_ctx, m_member.popup, [this] { return failedCheck(); }))
        return false;
    if (m_member.derive) {
        m_member.derive(*this);
        readValues(values);
    }
    if (m_gone && !addAnew())
        return false;
    bool saved = false;
    tryOperation(m_ctx, m_member.popup + u": Opslaan",
                 [&] { saved = m_adding ? addRecord(values) : saveChanged(values); });
    return saved;
}

// The record was deleted by another program while the window was open: it can be added again.
bool DetailLogic::addAnew()
{
    if (m_ctx.dialogs->MsgBox(OpnieuwToevoegen.toString(), mb::YesNo | mb::Question) != mb::Yes)
        return false;
    m_gone = false;
    m_adding = true;
    return true;
}

// The values to store for what was typed; false (after the message) for a date that is none.
bool DetailLogic::readValues(QHash<QString, QVariant> &values)
{
    for (const Field &field : m_member.fields) {
        const auto value = storedValue(m_ctx, field.kind, text(field.name));
        if (!value) {
            m_ctx.dialogs->MsgBox(OnlogischeDatum.toString(), mb::Exclamation);
            return false;
        }
        values[field.name] = *value;
        if (field.kind == Kind::Code)
            setText(field.name, value->toString()); // the checks see the code as it is stored
    }
    return true;
}

QString DetailLogic::failedCheck()
{
    for (const Check &check : m_member.checks) {
        if (QString message = check(*this); !message.isEmpty())
            return message;
    }
    return {};
}

// A new record. Numbers left as proposed are taken again inside the transaction, where no
// other program can take the same one.
bool DetailLogic::addRecord(QHash<QString, QVariant> &values)
{
    db::Database &db = m_tables.database();
    db::Recordset &rs = m_tables.table(m_member.table);
    QHash<QString, QVariant> stored;
    QString addedKey;
    db.write([&] {
        for (const Field &field : m_member.fields) {
            QVariant &value = values[field.name];
            if (field.numberedOnAdd && (value.isNull() || (m_proposed.contains(field.name)
                                                           && value.toLongLong() == m_proposed[field.name])))
                value = db::nextNumber(db, m_member.table, field.name);
        }
        rs.AddNew();
        for (const Field &field : m_member.fields)
            rs.setValue(field.name, values.value(field.name));
        rs.Update();
        markNumbers(values);
        rs.setBookmark(rs.LastModified());
        addedKey = rs.text(m_member.key);
        std::vector<options::AuditEntry> entries;
        for (const Field &field : m_member.fields) {
            stored[field.name] = rs.value(field.name);
            entries.push_back({options::TrailDatabase.toString(), trailName(m_member, addedKey, field.name), QVariant(),
                               options::logText(stored[field.name])});
        }
        if (!m_member.trail.isEmpty())
            options::recordSave(m_ctx, m_member.trail, entries);
    });
    // Only once the transaction has landed: from now on the record is edited.
    for (const Field &field : m_member.fields)
        if (field.numberedOnAdd)
            setText(field.name, fieldText(m_ctx, field.kind, stored[field.name]));
    m_loaded = stored;
    m_loadedTexts = m_texts;
    m_proposed.clear(); // given: a record added anew later keeps its number
    m_editKey = addedKey;
    m_adding = false;
    return true;
}

// An existing record: only what the user changed is written, and nothing another program
// changed meanwhile without asking.
bool DetailLogic::saveChanged(const QHash<QString, QVariant> &values)
{
    std::vector<FieldChange> changes;
    for (const Field &field : m_member.fields) {
        const QVariant &value = values.value(field.name);
        const auto before = storedValue(m_ctx, field.kind, m_loadedTexts.value(field.name));
        if (before && *before == value)
            continue;
        changes.push_back({field.name, field.caption.isEmpty() ? field.name : field.caption,
                           m_loaded.value(field.name), value, text(field.name)});
    }
    QHash<QString, QVariant> numbers;
    for (const FieldChange &change : changes)
        if (const Field *f = m_member.field(change.field); f && f->numberedOnAdd)
            numbers[change.field] = change.value;
    const RecordSave how{
        .db = m_tables.database(),
        .rs = m_tables.table(m_member.table),
        .seek = [this](db::Recordset &rs) { return seekEdited(rs); },
        .shown = [this](const QString &field, const QVariant &stored) {
            return fieldText(m_ctx, m_member.field(field)->kind, stored);
        },
        .alongside = [&] {
            markNumbers(numbers);
            if (m_member.trail.isEmpty())
                return;
            std::vector<options::AuditEntry> entries;
            db::Recordset &rs = m_tables.table(m_member.table);
            for (const FieldChange &change : changes)
                entries.push_back({options::TrailDatabase.toString(), trailName(m_member, m_editKey, change.field),
                                   options::logText(change.loaded), options::logText(rs.value(change.field))});
            options::recordSave(m_ctx, m_member.trail, entries);
        },
    };
    std::vector<TheirValue> theirs;
    switch (saveChanges(m_ctx, how, changes, theirs)) {
    case SaveResult::Saved:
        for (const FieldChange &change : changes) {
            m_loaded[change.field] = change.loaded;
            if (change.field.compare(m_member.key, Qt::CaseInsensitive) == 0)
                m_editKey = change.loaded.toString(); // renumbered
        }
        m_loadedTexts = m_texts;
        return true;
    case SaveResult::Theirs:
        for (const TheirValue &their : theirs) {
            m_loaded[their.field] = their.value;
            m_texts[their.field] = m_loadedTexts[their.field]
                = fieldText(m_ctx, m_member.field(their.field)->kind, their.value);
        }
        return false;
    case SaveResult::Deleted:
        m_gone = true;
        return false;
    }
    return false;
}

// Numbers stored in numbered fields are never proposed again.
void DetailLogic::markNumbers(const QHash<QString, QVariant> &values)
{
    for (const Field &field : m_member.fields)
        if (field.numberedOnAdd && !values.value(field.name).isNull())
            db::numberUsed(m_tables.database(), m_member.table, field.name, values.value(field.name).toLongLong());
}

bool DetailLogic::ensureSaved(const QString &question, const QString &refusal)
{
    if (!m_adding && !m_gone)
        return true;
    if (m_ctx.dialogs->MsgBox(question, mb::YesNo | mb::Question) != mb::Yes) {
        m_ctx.dialogs->MsgBox(refusal, mb::Exclamation);
        return false;
    }
    if (!save())
        return false;
    if (stored)
        stored();
    return true;
}

bool DetailLogic::pick(const QString &field)
{
    const Field *f = m_member.field(field);
    if (!f || !f->pickable() || !selectionWindow)
        return false;
    const QString start = text(field).remove(u'*').trimmed();
    const QString picked = selectionWindow(f->shows->pick, start);
    setText(field, picked.isEmpty() ? start : picked);
    return !picked.isEmpty();
}

QString DetailLogic::shownName(const QString &field)
{
    const Field *f = m_member.field(field);
    const QString key = text(field).trimmed();
    if (!f || !f->shows || key.isEmpty())
        return {};
    QString name;
    tryOperation(m_ctx, m_member.popup + u": Zoeken", [&] {
        db::Recordset &rs = m_tables.table(f->shows->table);
        rs.setIndex(f->shows->index);
        rs.Seek(u"=", key);
        if (!rs.NoMatch())
            name = rs.text(f->shows->field).trimmed();
    });
    return name;
}

bool DetailLogic::usedElsewhere(const QString &field, const QString &text)
{
    db::Recordset &rs = m_tables.table(m_member.table);
    rs.setIndex(QStringLiteral("PrimaryKey"));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const bool edited = !m_adding && rs.text(m_member.key).compare(m_editKey, Qt::CaseInsensitive) == 0;
        if (!edited && rs.text(field).trimmed().compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace kv::listdetail

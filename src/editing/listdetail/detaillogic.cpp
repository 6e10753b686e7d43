#include "editing/listdetail/detaillogic.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
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
    for (const Field &field : m_member.fields) {
        if (found)
            m_texts[field.name] = fieldText(m_ctx, field.kind, rs.value(field.name));
        else
            m_texts[field.name] = field.numberedOnAdd && field.initial.isEmpty() && !field.caption.isEmpty()
                                      ? nextNumber(field.name).toString()
                                      : field.initial;
    }
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
    QString message;
    if (!tryOperation(m_ctx, m_member.popup + u": Controleren", [&] { message = failedCheck(); }))
        return false;
    if (!message.isEmpty()) {
        m_ctx.dialogs->MsgBox(message, mb::Exclamation);
        return false;
    }
    if (m_member.derive) {
        m_member.derive(*this);
        readValues(values);
    }
    return tryOperation(m_ctx, m_member.popup + u": Opslaan", [&] { writeRecord(values); });
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

void DetailLogic::writeRecord(QHash<QString, QVariant> &values)
{
    db::Recordset &rs = m_tables.table(m_member.table);
    QString addedKey;
    m_tables.database().write([&] {
        if (m_adding) {
            for (const Field &field : m_member.fields) {
                if (field.numberedOnAdd && values[field.name].isNull()) {
                    values[field.name] = nextNumber(field.name);
                    setText(field.name, values[field.name].toString()); // a popup kept open shows it
                }
            }
            rs.AddNew();
        } else {
            if (!seekEdited(rs))
                return; // removed meanwhile: nothing to write
            rs.Edit();
        }
        write(rs, values);
        rs.Update();
        if (m_adding) {
            rs.setBookmark(rs.LastModified());
            addedKey = rs.text(m_member.key);
        }
    });
    if (m_adding) { // only once the transaction has landed
        m_editKey = addedKey;
        m_adding = false;
    }
}

void DetailLogic::write(db::Recordset &rs, const QHash<QString, QVariant> &values)
{
    for (const Field &field : m_member.fields) {
        if (!m_adding && field.numberedOnAdd && field.caption.isEmpty())
            continue; // a sequence number stays what it was given
        rs.setValue(field.name, values.value(field.name));
    }
}

bool DetailLogic::ensureSaved(const QString &question, const QString &refusal)
{
    if (!m_adding)
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

QVariant DetailLogic::nextNumber(const QString &field)
{
    auto rs = m_tables.database().OpenQuery(u"SELECT Max(" + field + u") AS Hoogste FROM " + m_member.table);
    return rs->Eof() || rs->isNull(u"Hoogste") ? 1 : rs->value(u"Hoogste").toLongLong() + 1;
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

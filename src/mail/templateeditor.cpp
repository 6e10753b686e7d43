#include "mail/templateeditor.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/datafiles.h"
#include "core/session/session.h"
#include "editing/environment.h"
#include "editing/saving/recordchanges.h"
#include "editing/scrambling.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

const QString Tabel = u"TabelEmailTemplate"_s;

enum class Soort { Text, Number, YesNo };

struct Veld {
    QString name;
    QString caption; // how the question about another program's change names it
    Soort soort = Soort::Text;
};

const std::vector<Veld> &velden()
{
    static const std::vector<Veld> all{
        {u"Omschrijving"_s,    u"Omschrijving"_s},
        {u"Type"_s,            u"Soort sjabloon"_s, Soort::Number},
        {u"SendUBL"_s,         u"Stuur ook een UBL factuur mee"_s, Soort::YesNo},
        {u"DefaultInType"_s,   u"Gebruik dit sjabloon als standaard"_s, Soort::YesNo},
        {u"DefaultUserName"_s, u"Gebruiker"_s},
        {u"Sender"_s,          u"Naam afzender"_s},
        {u"EmailSender"_s,     u"E-mail afzender"_s},
        {u"EmailBCC"_s,        u"E-mail voor kopie"_s},
        {u"Subject"_s,         u"Onderwerp"_s},
        {u"Disposition"_s,     u"Leesbevestiging"_s, Soort::YesNo},
        {u"ReturnReceipt"_s,   u"Ontvangstbevestiging"_s, Soort::YesNo},
        {u"Content"_s,         u"Inhoud e-mailbericht"_s},
        {u"Attachment1"_s,     u"Bijlage 1"_s},
        {u"Attachment2"_s,     u"Bijlage 2"_s},
        {u"Attachment3"_s,     u"Bijlage 3"_s},
        {u"Attachment4"_s,     u"Bijlage 4"_s},
        {u"Attachment5"_s,     u"Bijlage 5"_s},
    };
    return all;
}

const Veld &veld(const QString &name)
{
    for (const Veld &v : velden())
        if (v.name == name)
            return v;
    return velden().front();
}

// A stored value as the editor keeps it: Null reads as "", 0 or false.
QVariant gelezen(Soort soort, const QVariant &stored)
{
    switch (soort) {
    case Soort::Number:
        return stored.toInt();
    case Soort::YesNo:
        return stored.toBool();
    case Soort::Text:
        break;
    }
    return stored.toString();
}

QString getoond(const QString &field, const QVariant &stored)
{
    switch (veld(field).soort) {
    case Soort::Number:
        return templateKinds().value(stored.toInt());
    case Soort::YesNo:
        return stored.toBool() ? u"Ja"_s : u"Nee"_s;
    case Soort::Text:
        break;
    }
    return stored.toString();
}

bool ergensStandaard(db::Recordset &rs)
{
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        if (rs.value(u"DefaultInType").toBool())
            return true;
    return false;
}

} // namespace

const QStringList &templateKinds()
{
    static const QStringList kinds{
        u"Sjabloon voor e-mailfactuur"_s,
        u"Sjabloon voor proforma e-mailfactuur"_s,
        u"Sjabloon voor herinneringen"_s,
        u"Sjabloon voor bestellingen"_s,
        u"Sjabloon voor voerjaaroverzichten"_s,
        u"Sjabloon voor kunstmestoverzichten"_s,
        u"Sjabloon voor gewasbeschermingsoverzichten"_s,
        u"Sjabloon voor transportopdrachten"_s,
        u"Sjabloon voor transportlijsten"_s,
        u"Sjabloon voor afleverbonnen"_s,
        u"Sjabloon voor voorkoopcontracten"_s,
        u"UBL-facturen verzenden bij doorboeken facturen"_s,
        u"Exact XML verzenden bij doorboeken facturen"_s,
        u"Sjabloon voor overige documenten"_s,
    };
    return kinds;
}

QStringList userNames(const QString &dataPad)
{
    QFile file(findDataFile(dataPad, u"access.dat"_s));
    QStringList names;
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return names;
    // Latin-1 keeps each byte's code, which the decoding halves.
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString decoded = DeCodeer(QString::fromLatin1(line).remove(u'\r'));
        const qsizetype colon = decoded.indexOf(u':');
        if (colon >= 0)
            names << decoded.left(colon);
    }
    return names;
}

TemplateEditor::TemplateEditor(Context &ctx)
    : m_ctx(ctx)
{
    const QString key = ctx.EditMode == u"edit" ? ctx.EditKey : QString();
    ctx.EditMode.clear();
    ctx.EditKey.clear();
    m_users = userNames(ctx.DataPad);
    tryOperation(ctx, u"frmEmailServerPopup: Laden"_s, [&] { load(key); });
}

void TemplateEditor::load(const QString &key)
{
    auto rs = m_ctx.session->DBAdmin().OpenTable(Tabel);
    for (const Veld &v : velden())
        m_values[v.name] = gelezen(v.soort, {});
    // The first template of all is the default of its kind until another is marked.
    m_values[u"DefaultInType"_s] = !ergensStandaard(*rs);
    rs->setIndex(u"PrimaryKey"_s);
    if (!key.isEmpty())
        rs->Seek(u"=", key);
    if (!key.isEmpty() && !rs->NoMatch()) {
        m_codeNr = key;
        remember(*rs);
        const QString user = m_values[u"DefaultUserName"_s].toString();
        if (!user.isEmpty() && !m_users.contains(user, Qt::CaseInsensitive))
            m_users << user;
    }
    m_loaded = m_values;
}

void TemplateEditor::remember(const db::Recordset &rs)
{
    for (const Veld &v : velden()) {
        m_stored[v.name] = rs.value(v.name);
        m_values[v.name] = m_loaded[v.name] = gelezen(v.soort, m_stored[v.name]);
    }
}

void TemplateEditor::setValue(const QString &field, const QVariant &value)
{
    m_values[field] = value;
    if (!sendUblAllowed())
        m_values[u"SendUBL"_s] = false;
}

QStringList TemplateEditor::attachments() const
{
    QStringList files;
    for (int slot = 1; slot <= MaxAttachments; ++slot)
        if (const QString file = m_values.value(u"Attachment%1"_s.arg(slot)).toString(); !file.trimmed().isEmpty())
            files << file;
    return files;
}

void TemplateEditor::setAttachments(const QStringList &files)
{
    for (int slot = 1; slot <= MaxAttachments; ++slot)
        m_values[u"Attachment%1"_s.arg(slot)] = files.value(slot - 1);
}

bool TemplateEditor::addAttachment()
{
    if (!canAddAttachment())
        return false;
    const QString file = m_ctx.dialogs->OpenFile(u"Open bestand..."_s, u"Alle bestanden|*.*"_s, DocumentsFolder(m_ctx.registry));
    if (file.isEmpty())
        return false;
    setAttachments(attachments() << file);
    return true;
}

void TemplateEditor::removeAttachment(int index)
{
    QStringList files = attachments();
    if (index < 0 || index >= files.size())
        return;
    files.removeAt(index);
    setAttachments(files);
}

bool TemplateEditor::save()
{
    if (m_values[u"Omschrijving"_s].toString().trimmed().isEmpty()) {
        m_ctx.dialogs->MsgBox(GeenOmschrijving.toString(), mb::Exclamation);
        return false;
    }
    bool saved = false;
    tryOperation(m_ctx, u"frmEmailServerPopup: Opslaan"_s, [&] { saved = adding() ? addTemplate() : saveChanged(); });
    return saved;
}

// A new template gets the first number from 1 up that no template has.
bool TemplateEditor::addTemplate()
{
    db::Database &db = m_ctx.session->DBAdmin();
    auto rs = db.OpenTable(Tabel);
    QString codeNr;
    db.write([&] {
        rs->setIndex(u"PrimaryKey"_s);
        for (int nr = 1; nr <= 32000 && codeNr.isEmpty(); ++nr) {
            rs->Seek(u"=", QString::number(nr));
            if (rs->NoMatch())
                codeNr = QString::number(nr);
        }
        if (codeNr.isEmpty())
            return;
        rs->AddNew();
        rs->setValue(u"CodeNr", codeNr);
        for (const Veld &v : velden())
            rs->setValue(v.name, m_values[v.name]);
        rs->Update();
        if (m_values[u"DefaultInType"_s].toBool())
            clearOtherDefaults(codeNr);
    });
    if (codeNr.isEmpty()) {
        m_ctx.dialogs->MsgBox(GeenNummerVrij.toString(), mb::Exclamation);
        return false;
    }
    // Only once the transaction has landed: from now on the template is edited.
    rs->setBookmark(rs->LastModified());
    remember(*rs);
    m_codeNr = codeNr;
    return true;
}

bool TemplateEditor::saveChanged()
{
    std::vector<FieldChange> changes;
    for (const Veld &v : velden())
        if (m_values[v.name] != m_loaded[v.name])
            changes.push_back({v.name, v.caption, m_stored[v.name], m_values[v.name], getoond(v.name, m_values[v.name])});
    db::Database &db = m_ctx.session->DBAdmin();
    auto rs = db.OpenTable(Tabel);
    const RecordSave how{
        .db = db,
        .rs = *rs,
        .seek = [this](db::Recordset &r) {
            r.setIndex(u"PrimaryKey"_s);
            r.Seek(u"=", m_codeNr);
            return !r.NoMatch();
        },
        .shown = getoond,
        .alongside = [this] {
            if (m_values[u"DefaultInType"_s].toBool())
                clearOtherDefaults(m_codeNr);
        },
    };
    std::vector<TheirValue> theirs;
    switch (saveChanges(m_ctx, how, changes, theirs)) {
    case SaveResult::Saved:
        for (const FieldChange &change : changes)
            m_stored[change.field] = change.loaded;
        m_loaded = m_values;
        return true;
    case SaveResult::Theirs:
        for (const TheirValue &their : theirs) {
            m_stored[their.field] = their.value;
            m_values[their.field] = m_loaded[their.field] = gelezen(veld(their.field).soort, their.value);
        }
        return false;
    case SaveResult::Deleted:
        m_codeNr.clear(); // the next OK adds it again
        return false;
    }
    return false;
}

// Each kind has one default at most: marking this template takes the mark from the others.
void TemplateEditor::clearOtherDefaults(const QString &codeNr)
{
    auto rs = m_ctx.session->DBAdmin().OpenTable(Tabel);
    const int type = m_values[u"Type"_s].toInt();
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        if (rs->text(u"CodeNr") == codeNr || !rs->value(u"DefaultInType").toBool() || rs->value(u"Type").toInt() != type)
            continue;
        rs->Edit();
        rs->setValue(u"DefaultInType", false);
        rs->Update();
    }
}

} // namespace kv

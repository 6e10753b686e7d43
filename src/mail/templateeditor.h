#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace kv {

class Context;
namespace db {
class Recordset;
}

// The template editor (frmEmailServerPopup) without its widgets: loads the template the edit
// context names or starts a new one, keeps every field as the value it stores, and checks and
// writes it on OK.
class TemplateEditor {
public:
    // Reads `ctx.EditMode` and `ctx.EditKey` and clears them.
    explicit TemplateEditor(Context &ctx);

    bool adding() const { return m_codeNr.isEmpty(); }
    QString codeNr() const { return m_codeNr; } // "" until stored

    QVariant value(const QString &field) const { return m_values.value(field); }
    // Another kind than the invoice leaves no UBL invoice to send along.
    void setValue(const QString &field, const QVariant &value);
    bool sendUblAllowed() const { return m_values.value(QStringLiteral("Type")).toInt() == 0; }
    // Whether anything differs from what was loaded or last stored.
    bool changed() const { return m_values != m_loaded; }

    // The users a template can be meant for: the names of the user file, and the stored one
    // when it is not among them.
    const QStringList &users() const { return m_users; }

    // The files always sent along, in their order.
    QStringList attachments() const;
    bool canAddAttachment() const { return attachments().size() < MaxAttachments; }
    // Asks for a file (starting in the documents folder) and adds it; false when cancelled.
    bool addAttachment();
    void removeAttachment(int index);

    // Checks and writes the template in one transaction: a new one under the first free number,
    // an existing one only the fields changed (another program's changes are asked about); a
    // template marked as default takes the mark from the others of its kind. False (after a
    // message) keeps the editor open.
    bool save();

    static constexpr int MaxAttachments = 5;

private:
    void load(const QString &key);
    bool addTemplate();
    bool saveChanged();
    void clearOtherDefaults(const QString &codeNr);
    void setAttachments(const QStringList &files);
    void remember(const db::Recordset &rs);

    Context &m_ctx;
    QString m_codeNr;
    QHash<QString, QVariant> m_values, m_loaded;
    QHash<QString, QVariant> m_stored; // as the record held them, Null included
    QStringList m_users;
};

// The kinds of template, in the order of their numbers.
const QStringList &templateKinds();

// The user names of the suite's user file in `dataPad` (`access.dat`), in its order.
QStringList userNames(const QString &dataPad);

inline constexpr QStringView GeenOmschrijving = u"Er is nog geen omschrijving ingegeven voor dit sjabloon.";
inline constexpr QStringView GeenNummerVrij = u"Er kunnen geen sjablonen meer worden toegevoegd.";

} // namespace kv

#pragma once

#include "editing/listdetail/member.h"
#include "editing/listdetail/tables.h"

#include <QHash>
#include <QVariant>
#include <QString>

#include <functional>
#include <vector>

namespace kv {
class Context;
namespace db {
class Recordset;
}
} // namespace kv

namespace kv::listdetail {

// The detail window of a member without its widgets: loads the record the edit context names
// (or starts a new one), keeps the fields as the texts the user sees, checks and writes them.
class DetailLogic {
public:
    // Reads `ctx.EditMode` and `ctx.EditKey` and clears them.
    DetailLogic(Context &ctx, const Member &member);

    Context &context() { return m_ctx; }
    MemberTables &tables() { return m_tables; }
    const Member &member() const { return m_member; }
    bool adding() const { return m_adding; }
    QString editKey() const { return m_editKey; } // the record's key once it is stored

    QString text(const QString &field) const { return m_texts.value(field); }
    // A field's text changes; the member hears of it (fields that follow from it).
    void setText(const QString &field, const QString &text);

    // What a pick-list field offers: the texts shown and the texts of the values they store.
    struct Choice {
        QString text, value;
    };
    std::vector<Choice> choices(const QString &field);

    // The user leaves a field: amounts and dates are shown again in their display form. A date
    // that is none gives the message and false; the text stays so the user can correct it.
    bool leave(const QString &field);

    // Checks and writes the record in one transaction: a new one whole, an existing one only
    // the fields the user changed, each checked against what another program may have stored
    // meanwhile (see saveChanges). False (after a message) keeps the window open with what was
    // typed, or with the other program's values where the user chose those; true closes it. A
    // record added is edited from then on.
    bool save();

    // Parts of a record that live in other records (linked articles) need the record stored
    // first: a new one (or one another program deleted meanwhile) is saved when the user says
    // yes to `question`; otherwise `refusal` is shown. True when the record is stored.
    bool ensureSaved(const QString &question, const QString &refusal);
    // Heard when ensureSaved has stored the record: the popup shows the fields as written.
    std::function<void()> stored;

    // The user asks for the selection window on a field that names another record ("*"):
    // the text picked is put in the field; without a pick the field keeps what was typed
    // before the "*". False when nothing was picked.
    bool pick(const QString &field);
    // Shows the selection window of `kind` starting at a text; the pick, or "" (tests answer here).
    std::function<QString(const QString &kind, const QString &start)> selectionWindow;

    // The name of the related record a field refers to ("" when none), for fields that show one.
    QString shownName(const QString &field);

    // Whether a record other than the one being edited holds `text` in `field`.
    bool usedElsewhere(const QString &field, const QString &text);

private:
    void load();
    bool seekEdited(db::Recordset &rs);
    bool readValues(QHash<QString, QVariant> &values);
    QString failedCheck();
    bool addAnew();
    bool addRecord(QHash<QString, QVariant> &values);
    bool saveChanged(const QHash<QString, QVariant> &values);
    void markNumbers(const QHash<QString, QVariant> &values);

    Context &m_ctx;
    const Member &m_member;
    MemberTables m_tables;
    bool m_adding = true;
    QString m_editKey;
    QHash<QString, QString> m_texts;
    // The record as it was loaded or last saved: stored values, and the texts they showed.
    QHash<QString, QVariant> m_loaded;
    QHash<QString, QString> m_loadedTexts;
    QHash<QString, qint64> m_proposed; // the numbers proposed to a new record
    bool m_gone = false;               // deleted by another program while the window was open
};

inline constexpr QStringView OnlogischeDatum = u"Er is een onlogische datum ingegeven.";
inline constexpr QStringView OpnieuwToevoegen = u"Wilt u dit record opnieuw toevoegen?";

} // namespace kv::listdetail

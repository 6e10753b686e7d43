#pragma once

#include <QString>
#include <QVariant>

#include <map>
#include <optional>

namespace kv {
class Context;
}

namespace kv::finance {

// What the VAT code window shows and the user types. A list choice holds the stored value of
// the chosen item (-1: none), never its position.
struct VatCodeInput {
    QString omschrijving, code, percentage, vanaf, totEnMet, externCode;
    QString inkoop, verkoop, korting; // ledger accounts
    int rubriek = -1, grondslag = -1, type = -1;
    bool exclusief = true, invisible = false;
};

// The VAT code window (frmBTWPopup) without its widgets: loads a code or starts a new one,
// checks and saves it.
class VatCodeEditor {
public:
    // `code` nothing: a new code. A code that is gone meanwhile is added anew.
    VatCodeEditor(Context &ctx, std::optional<int> code);

    bool adding() const { return m_adding; }
    VatCodeInput input;

    // Choosing a rubric chooses the basis of the same box; the basis can be changed after.
    void chooseRubric(int rubric);
    // The checks on leaving a field: false (after the message) keeps the focus there.
    bool leavePercentage();
    bool leaveDate(QString &date);

    // Checks in their order, then writes the code, the per-article ledger links of a new code
    // and the rows of the settings trail in one transaction. False keeps the window open;
    // `focus` then names the field to go to ("percentage", "omschrijving", ...).
    bool save();
    QString focus() const { return m_focus; }

private:
    void load(int code);
    void show(const QString &column, const QVariant &value);
    QString failedCheck();
    std::map<QString, QVariant> values() const;
    bool insert();
    bool update();

    Context &m_ctx;
    bool m_adding = true;
    QString m_focus;
    std::map<QString, QVariant> m_loaded; // the row as read
};

} // namespace kv::finance

#pragma once

#include "finance/vat/vatcodeeditor.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kv {
class GrootboekRekeningWidget;
}

namespace kv::finance {

// The VAT code window: three tabs over the code's fields, OK and "Annuleren".
class FrmBTWPopup : public QDialog {
    Q_OBJECT
public:
    FrmBTWPopup(Context &ctx, std::optional<int> code, QWidget *parent = nullptr);

    VatCodeEditor &editor() { return m_editor; }
    void cmdOK_Click();

private:
    QWidget *basisTab();
    QWidget *ledgerTab();
    QWidget *externalTab();
    void showInput(); // the editor's input in the widgets
    void take(); // the widgets' input in the editor
    QLineEdit *dateField(QString VatCodeInput::*member);

    Context &m_ctx;
    VatCodeEditor m_editor;
    QLineEdit *m_omschrijving = nullptr, *m_code = nullptr, *m_percentage = nullptr, *m_vanaf = nullptr,
              *m_totEnMet = nullptr, *m_extern = nullptr;
    QComboBox *m_rubriek = nullptr, *m_grondslag = nullptr, *m_type = nullptr, *m_basis = nullptr;
    QCheckBox *m_invisible = nullptr;
    GrootboekRekeningWidget *m_inkoop = nullptr, *m_verkoop = nullptr, *m_korting = nullptr;
};

} // namespace kv::finance

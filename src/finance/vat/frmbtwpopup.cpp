#include "finance/vat/frmbtwpopup.h"

#include "editing/codetables/combos.h"
#include "editing/ledger/grootboekrekeningwidget.h"
#include "finance/vat/vatboxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

template <typename Items>
QComboBox *keyedCombo(QWidget *parent, const Items &items, const QString &name)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const auto &item : items)
        combo->addItem(item.text.toString(), item.stored);
    combo->setCurrentIndex(-1);
    return combo;
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setStyleSheet(u"color: #555;"_s);
    return label;
}

} // namespace

FrmBTWPopup::FrmBTWPopup(Context &ctx, std::optional<int> code, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_editor(ctx, code)
{
    setObjectName(u"frmBTWPopup"_s);
    setWindowTitle(u"BTW codering"_s);
    auto *tabs = new QTabWidget(this);
    tabs->addTab(basisTab(), u"Basisgegevens"_s);
    tabs->addTab(ledgerTab(), u"Koppeling grootboek"_s);
    tabs->addTab(externalTab(), u"Externe koppeling"_s);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    buttons->addButton(u"Annuleren"_s, QDialogButtonBox::RejectRole)->setObjectName(u"cmdCancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &FrmBTWPopup::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(720, 520);
    showInput();
}

QLineEdit *FrmBTWPopup::dateField(QString VatCodeInput::*member)
{
    auto *field = new QLineEdit(this);
    field->setMaximumWidth(140);
    connect(field, &QLineEdit::editingFinished, this, [this, field, member] {
        QString &date = m_editor.input.*member;
        date = field->text();
        if (m_editor.leaveDate(date))
            field->setText(date);
        else
            field->setFocus();
    });
    return field;
}

QWidget *FrmBTWPopup::basisTab()
{
    auto *tab = new QWidget(this);
    auto *form = new QFormLayout(tab);
    form->setLabelAlignment(Qt::AlignLeft);
    m_omschrijving = new QLineEdit(tab);
    m_code = new QLineEdit(tab);
    m_code->setMaximumWidth(80);
    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(m_code);
    if (m_editor.adding()) {
        codeRow->addWidget(new QLabel(u"Automatisch bepaald"_s, tab));
    } else {
        m_code->setReadOnly(true);
        m_code->setEnabled(false);
    }
    codeRow->addStretch();
    m_percentage = new QLineEdit(tab);
    m_percentage->setMaximumWidth(100);
    connect(m_percentage, &QLineEdit::editingFinished, this, [this] {
        m_editor.input.percentage = m_percentage->text();
        if (m_editor.leavePercentage())
            m_percentage->setText(m_editor.input.percentage);
        else
            m_percentage->setFocus();
    });
    m_rubriek = keyedCombo(tab, vatRubrics(), u"cboRubriek"_s);
    m_grondslag = keyedCombo(tab, vatBases(), u"cboGrondslag"_s);
    m_type = keyedCombo(tab, vatTypes(), u"cboType"_s);
    connect(m_rubriek, &QComboBox::activated, this, [this] {
        m_editor.chooseRubric(m_rubriek->currentData().toInt());
        codetables::SetComboKey(m_grondslag, m_editor.input.grondslag, true);
    });
    m_basis = new QComboBox(tab);
    m_basis->addItems({u"Exclusief BTW"_s, u"Inclusief BTW"_s});
    m_vanaf = dateField(&VatCodeInput::vanaf);
    m_totEnMet = dateField(&VatCodeInput::totEnMet);
    m_invisible = new QCheckBox(u"Deze BTW code is niet (meer) zichtbaar"_s, tab);

    form->addRow(u"Omschrijving:"_s, m_omschrijving);
    form->addRow(u"BTW code:"_s, codeRow);
    form->addRow(u"Percentage:"_s, m_percentage);
    form->addRow(u"Aangifte rubriek:"_s, m_rubriek);
    form->addRow(u"Grondslag:"_s, m_grondslag);
    form->addRow(u"Type:"_s, m_type);
    form->addRow(u"Basis bedrag is:"_s, m_basis);
    form->addRow(u"Gebruiken vanaf:"_s, m_vanaf);
    form->addRow(u"Gebruiken t/m:"_s, m_totEnMet);
    form->addRow(QString(), note(u"Indien ingegeven vindt er een controle plaats bij het inboeken of maken van facturen."_s, tab));
    form->addRow(QString(), note(u"Op basis van de factuurdatum wordt er een controle op BTW codering toegepast."_s, tab));
    form->addRow(QString(), m_invisible);
    return tab;
}

QWidget *FrmBTWPopup::ledgerTab()
{
    auto *tab = new QWidget(this);
    auto *column = new QVBoxLayout(tab);
    auto account = [&](const QString &caption) {
        column->addWidget(new QLabel(caption, tab));
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(u"Grb.rek.nr"_s, tab));
        auto *field = new GrootboekRekeningWidget(m_ctx, tab);
        row->addWidget(field, 1);
        column->addLayout(row);
        column->addSpacing(6);
        return field;
    };
    m_inkoop = account(u"Grootboekrekening voor terug te vragen BTW, voorbelasting, voorheffing:"_s);
    m_verkoop = account(u"Grootboekrekening voor aan de belastingdienst te betalen BTW:"_s);
    m_korting = account(u"Grootboekrekening voor berekende korting:"_s);
    column->addWidget(note(u"Bovengenoemde grootboekrekeningen moeten ingevuld zijn voor een correcte werking binnen het systeem."_s, tab));
    column->addWidget(note(u"Ongeacht of er korting wordt berekend, dient deze BTW codering gekoppeld te worden aan een 'Verleende korting' grootboekrekening."_s, tab));
    column->addStretch();
    return tab;
}

QWidget *FrmBTWPopup::externalTab()
{
    auto *tab = new QWidget(this);
    auto *form = new QFormLayout(tab);
    m_extern = new QLineEdit(tab);
    m_extern->setMaximumWidth(100);
    form->addRow(u"BTW code extern:"_s, m_extern);
    form->addRow(QString(), note(u"Voor externe koppeling met een ander financieel boekhoudpakket"_s, tab));
    return tab;
}

void FrmBTWPopup::showInput()
{
    const VatCodeInput &in = m_editor.input;
    m_omschrijving->setText(in.omschrijving);
    m_code->setText(in.code);
    m_percentage->setText(in.percentage);
    for (const auto &[combo, key] : {std::pair{m_rubriek, in.rubriek}, {m_grondslag, in.grondslag}, {m_type, in.type}}) {
        if (key < 0)
            combo->setCurrentIndex(-1);
        else
            codetables::SetComboKey(combo, key);
    }
    m_basis->setCurrentIndex(in.exclusief ? 0 : 1);
    m_vanaf->setText(in.vanaf);
    m_totEnMet->setText(in.totEnMet);
    m_invisible->setChecked(in.invisible);
    m_inkoop->setNummer(in.inkoop);
    m_verkoop->setNummer(in.verkoop);
    m_korting->setNummer(in.korting);
    m_extern->setText(in.externCode);
}

void FrmBTWPopup::take()
{
    VatCodeInput &in = m_editor.input;
    in.omschrijving = m_omschrijving->text();
    in.code = m_code->text();
    in.percentage = m_percentage->text();
    in.rubriek = m_rubriek->currentIndex() < 0 ? -1 : m_rubriek->currentData().toInt();
    in.grondslag = m_grondslag->currentIndex() < 0 ? -1 : m_grondslag->currentData().toInt();
    in.type = m_type->currentIndex() < 0 ? -1 : m_type->currentData().toInt();
    in.exclusief = m_basis->currentIndex() == 0;
    in.vanaf = m_vanaf->text();
    in.totEnMet = m_totEnMet->text();
    in.invisible = m_invisible->isChecked();
    in.inkoop = m_inkoop->nummer();
    in.verkoop = m_verkoop->nummer();
    in.korting = m_korting->nummer();
    in.externCode = m_extern->text();
}

void FrmBTWPopup::cmdOK_Click()
{
    take();
    const bool saved = m_editor.save();
    showInput(); // a code given on adding, another program's values
    if (saved) {
        accept();
        return;
    }
    const std::map<QString, QWidget *> focus{{u"rubriek"_s, m_rubriek},           {u"grondslag"_s, m_grondslag},
                                             {u"percentage"_s, m_percentage},     {u"omschrijving"_s, m_omschrijving},
                                             {u"code"_s, m_code},                 {u"datum"_s, m_vanaf}};
    if (const auto field = focus.find(m_editor.focus()); field != focus.end())
        field->second->setFocus();
}

} // namespace kv::finance

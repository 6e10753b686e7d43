#include "editing/codetables/frmhulpautosave.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::codetables {

FrmHulpAutoSave::FrmHulpAutoSave(Context &ctx, const QString &tableKey, QWidget *parent)
    : QDialog(parent), m_logic(ctx, tableKey.toLower())
{
    setObjectName(QStringLiteral("frmHulpAutoSave"));
    setWindowTitle(m_logic.caption());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);

    auto *caption = new QLabel(m_logic.caption(), this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption);
    layout->addWidget(new QLabel(QStringLiteral("Na elke wijziging worden de actieve regels in deze bestanden opgeslagen."), this));

    auto *form = new QFormLayout;
    form->setHorizontalSpacing(12);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(m_logic.paths[i], this);
        m_fields[i]->setMinimumWidth(460);
        form->addRow(QStringLiteral("Bestand %1:").arg(i + 1), m_fields[i]);
    }
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("cmdOK"));
    buttons->addButton(QStringLiteral("&Sluiten"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FrmHulpAutoSave::ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void FrmHulpAutoSave::ok()
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_logic.paths[i] = m_fields[i]->text();
    if (m_logic.ok())
        accept();
}

} // namespace kv::codetables

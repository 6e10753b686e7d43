#include "editing/codetables/frmhulp.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/jobs/listsource.h"
#include "core/messages/errorreport.h"
#include "editing/codetables/frmhulpautosave.h"
#include "editing/codetables/frmhulppopup.h"
#include "editing/widgets/exportbutton.h"
#include "editing/widgets/listledger.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv::codetables {

FrmHulp::FrmHulp(Context &ctx) : m_ctx(ctx), m_list(ctx)
{
    setObjectName(QStringLiteral("frmHulp"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);

    auto *caption = new QLabel(m_list.caption(), this);
    caption->setObjectName(QStringLiteral("lblCaption"));
    QFont big = caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    caption->setFont(big);
    layout->addWidget(caption);

    auto *example = new QLabel(m_list.example(), this);
    example->setObjectName(QStringLiteral("lblVoorbeeld"));
    example->setWordWrap(true);
    example->setVisible(!m_list.example().isEmpty());
    layout->addWidget(example);

    auto *row = new QHBoxLayout;
    row->setSpacing(16);
    m_view = new QListWidget(this);
    m_view->setObjectName(QStringLiteral("lstHulp"));
    m_view->setMinimumSize(420, 380);
    m_view->setMaximumWidth(720); // descriptions are short; a wide list only spreads them out
    SetListLedger(m_view);
    m_view->setStyleSheet(QStringLiteral("QListWidget::item { padding: 3px 4px; }"));
    row->addWidget(m_view, 1);

    auto *side = new QVBoxLayout;
    side->setSpacing(10);
    m_cmdEdit = new QPushButton(QStringLiteral("&Wijzigen"), this);
    m_cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    m_cmdEdit->setMinimumWidth(120);
    side->addWidget(m_cmdEdit);
    m_chkSorted = new QCheckBox(QStringLiteral("Gesorteerd tonen"), this);
    m_chkSorted->setObjectName(QStringLiteral("chkSorted"));
    side->addWidget(m_chkSorted);
    m_cmdAutoSave = new QToolButton(this);
    m_cmdAutoSave->setObjectName(QStringLiteral("cmdAutoSave"));
    m_cmdAutoSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_cmdAutoSave->setIconSize(QSize(20, 20));
    m_cmdAutoSave->setText(QStringLiteral("Opslaan in bestanden..."));
    m_cmdAutoSave->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_cmdAutoSave->setMinimumWidth(120);
    side->addWidget(m_cmdAutoSave);
    if (QPushButton *exporting = exportButton(ctx, this, [this] { return listSource(m_list); }))
        side->addWidget(exporting);
    side->addStretch();
    row->addLayout(side);
    row->addStretch();
    layout->addLayout(row, 1);

    fill();
    m_chkSorted->setChecked(m_list.sorted());

    connect(m_view, &QListWidget::itemChanged, this, &FrmHulp::itemChanged);
    connect(m_view, &QListWidget::itemDoubleClicked, this, [this] { m_cmdEdit->click(); });
    connect(m_cmdEdit, &QPushButton::clicked, this, &FrmHulp::cmdEdit_Click);
    connect(m_cmdAutoSave, &QToolButton::clicked, this, &FrmHulp::cmdAutoSave_Click);
    connect(m_chkSorted, &QCheckBox::toggled, this, [this](bool on) {
        tryOperation(m_ctx, QStringLiteral("frmHulp: Sorteren"), [&] { m_list.setSorted(on); });
    });
}

void FrmHulp::fill()
{
    const QSignalBlocker block(m_view);
    m_view->clear();
    for (const Entry &entry : m_list.entries()) {
        auto *item = new QListWidgetItem(entry.text, m_view);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void FrmHulp::itemChanged(QListWidgetItem *item)
{
    m_list.setTicked(m_view->row(item), item->checkState() == Qt::Checked);
}

void FrmHulp::cmdEdit_Click()
{
    const int row = m_view->currentRow();
    if (row < 0 || !m_view->currentItem()->isSelected())
        return;
    m_list.beginEdit(row);
    FrmHulpPopup popup(m_ctx, m_list.tableKey(), this);
    popup.exec();
    tryOperation(m_ctx, QStringLiteral("frmHulp: Wijzigen"), [&] { m_list.endEdit(row); });
    const QSignalBlocker block(m_view);
    m_view->item(row)->setText(m_list.entries()[size_t(row)].text);
}

void FrmHulp::cmdAutoSave_Click()
{
    FrmHulpAutoSave window(m_ctx, m_list.tableKey(), this);
    window.exec();
    tryOperation(m_ctx, QStringLiteral("frmHulp: AutoSave"), [&] { m_list.autoSaveClosed(); });
}

bool FrmHulp::leave()
{
    HulpList::Saved result = HulpList::Saved::Unchanged;
    if (!tryOperation(m_ctx, QStringLiteral("frmHulp: Opslaan"), [&] { result = m_list.save(); })) {
        // A save that keeps failing (a read-only share) must not lock the user in.
        return m_ctx.dialogs->MsgBox(QStringLiteral("De tabel is niet opgeslagen. Wilt u het scherm toch verlaten? "
                                                    "Uw wijzigingen gaan dan verloren."),
                                     mb::YesNo | mb::Question | mb::DefaultButton2)
            == mb::Yes;
    }
    if (result == HulpList::Saved::Reloaded) {
        fill(); // the other program's table; the user looks at it before leaving
        return false;
    }
    if (result == HulpList::Saved::Written)
        Q_EMIT saved();
    return true;
}

} // namespace kv::codetables

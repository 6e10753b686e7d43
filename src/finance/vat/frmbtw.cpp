#include "finance/vat/frmbtw.h"

#include "editing/widgets/listledger.h"
#include "finance/vat/frmbtwcontrole.h"
#include "finance/vat/frmbtwpopup.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kv::finance {
namespace {

// A round mark in a colour; a struck-through one for a code that is hidden.
QIcon mark(QColor colour, bool struck = false)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(130));
    painter.setBrush(struck ? QColor(Qt::transparent) : colour);
    painter.drawEllipse(2, 2, 10, 10);
    if (struck)
        painter.drawLine(3, 11, 11, 3);
    return QIcon(pixmap);
}

QIcon iconOf(VatCodeRow::Icon icon)
{
    switch (icon) {
    case VatCodeRow::Icon::Inactive: return mark(QColor(0xB0B0B0));
    case VatCodeRow::Icon::Incomplete: return mark(QColor(0xE0A020));
    case VatCodeRow::Icon::Normal: break;
    }
    return mark(QColor(0x3C9A5F));
}

} // namespace

FrmBTW::FrmBTW(Context &ctx, QWidget *parent) : ChildScreen(parent), m_ctx(ctx), m_logic(ctx), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("frmBTW"));
    m_list->setObjectName(QStringLiteral("lvwBTW"));
    m_list->setHeaderLabels(VatCodeColumns);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setStyleSheet(QStringLiteral("QTreeView::item { padding: 4px 8px; }"));
    SetListLedger(m_list);

    auto *buttons = new QHBoxLayout;
    auto button = [&](const QString &name, const QString &text, auto click) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setMinimumWidth(std::max(110, b->sizeHint().width()));
        connect(b, &QPushButton::clicked, this, click);
        buttons->addWidget(b);
        return b;
    };
    button(QStringLiteral("cmdAdd"), QStringLiteral("Toevoegen..."), [this] { cmdAdd_Click(); });
    button(QStringLiteral("cmdEdit"), QStringLiteral("Bewerken..."), [this] { cmdEdit_Click(); });
    button(QStringLiteral("cmdDelete"), QStringLiteral("Verwijderen"), [this] { cmdDelete_Click(); });
    buttons->addSpacing(16);
    // Moving a code: arrows, with their captions as tooltips.
    for (auto [name, arrow, tip, step] : {std::tuple{u"cmdUp", u"\u25B2", u" verplaats omhoog... ", -1},
                                          std::tuple{u"cmdDown", u"\u25BC", u" verplaats omlaag... ", 1}}) {
        QPushButton *b = button(QString::fromUtf16(name), QString::fromUtf16(arrow), [this, step = step] { move(step); });
        b->setMinimumWidth(44);
        b->setToolTip(QString::fromUtf16(tip));
    }
    buttons->addStretch();
    button(QStringLiteral("cmdControle"), QStringLiteral("Aangifte controleren..."), [this] {
        FrmBTWControle check(m_ctx, this);
        check.exec();
    });
    button(QStringLiteral("cmdUndo"), QStringLiteral("Laatste wijziging ongedaan maken"), [this] { cmdUndo_Click(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { cmdEdit_Click(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    fill();
    for (int column = 0; column < m_list->columnCount(); ++column) {
        m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(column, std::max(m_list->columnWidth(column) + 24, 80));
    }
}

void FrmBTW::fill(int selectCode)
{
    m_list->clear();
    for (const VatCodeRow &row : m_logic.rows()) {
        auto *item = new QTreeWidgetItem(m_list, row.cells);
        item->setData(0, Qt::UserRole, row.code);
        item->setIcon(0, iconOf(row.icon));
        if (row.hidden) {
            item->setIcon(1, mark(QColor(0x808080), true));
            item->setToolTip(1, QStringLiteral("Deze BTW code is niet (meer) zichtbaar"));
        }
        if (row.code == selectCode)
            m_list->setCurrentItem(item);
    }
}

int FrmBTW::selectedRow() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? m_list->indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(item)) : -1;
}

void FrmBTW::cmdAdd_Click()
{
    FrmBTWPopup popup(m_ctx, std::nullopt, this);
    const bool added = popup.exec() == QDialog::Accepted;
    m_logic.refresh();
    fill(added ? popup.editor().input.code.toInt() : -1);
    if (added)
        Q_EMIT saved();
}

void FrmBTW::cmdEdit_Click()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const int code = m_logic.rows()[size_t(row)].code;
    FrmBTWPopup popup(m_ctx, code, this);
    const bool saved = popup.exec() == QDialog::Accepted;
    m_logic.refresh();
    fill(code);
    if (saved)
        Q_EMIT this->saved();
}

void FrmBTW::cmdDelete_Click()
{
    if (m_logic.remove(selectedRow()))
        Q_EMIT saved();
    fill();
}

void FrmBTW::cmdUndo_Click()
{
    if (m_logic.undoLast())
        Q_EMIT saved();
    fill();
}

void FrmBTW::move(int step)
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const int moved = m_logic.move(row, step);
    fill(moved >= 0 ? m_logic.rows()[size_t(moved)].code : -1);
}

} // namespace kv::finance

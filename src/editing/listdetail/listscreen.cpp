#include "editing/listdetail/listscreen.h"

#include "editing/listdetail/detailpopup.h"
#include "core/jobs/listsource.h"
#include "editing/widgets/exportbutton.h"
#include "editing/widgets/listledger.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace kv::listdetail {

ListScreen::ListScreen(Context &ctx, const Member &member, QWidget *parent)
    : ChildScreen(parent), m_ctx(ctx), m_logic(ctx, member), m_model(m_logic), m_list(new QTreeView(this))
{
    setObjectName(member.screen);
    m_list->setObjectName(QStringLiteral("lstItems"));
    m_list->setModel(&m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAllColumnsShowFocus(true);
    SetListLedger(m_list);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumHeight(320);
    m_list->setStyleSheet(QStringLiteral("QTreeView::item { padding: 4px 8px; }"));

    const QStringList captions =
        member.buttonCaptions.isEmpty() ? QStringList{tr("Toevoegen"), tr("Wijzigen"), tr("Verwijderen")} : member.buttonCaptions;
    m_add = new QPushButton(captions.value(0), this);
    m_edit = new QPushButton(captions.value(1), this);
    m_delete = new QPushButton(captions.value(2), this);
    m_add->setObjectName(QStringLiteral("cmdAddNew"));
    m_edit->setObjectName(QStringLiteral("cmdEdit"));
    m_delete->setObjectName(QStringLiteral("cmdDelete"));
    m_add->setVisible(member.canAdd());
    m_delete->setVisible(!member.editOnly());

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_add, m_edit, m_delete}) {
        button->setMinimumWidth(110);
        buttons->addWidget(button);
    }
    if (QPushButton *exporting = exportButton(ctx, this, [this] { return listSource(m_logic); }))
        buttons->addWidget(exporting);
    for (const Member::Action &action : member.actions) {
        auto *button = new QPushButton(action.caption, this);
        button->setObjectName(action.name);
        button->setMinimumWidth(110);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, run = action.run] { run(*this); });
    }
    buttons->addStretch();
    if (!member.trail.isEmpty()) {
        auto *undo = new QPushButton(QStringLiteral("Laatste wijziging ongedaan maken"), this);
        undo->setObjectName(QStringLiteral("cmdUndo"));
        connect(undo, &QPushButton::clicked, this, [this] {
            if (m_logic.undoLast())
                Q_EMIT saved();
        });
        buttons->addWidget(undo);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    if (member.header)
        layout->addWidget(member.header(*this));
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    m_logic.showPopup = [this] {
        if (m_logic.member().ownPopup)
            return m_logic.member().ownPopup(m_ctx, this);
        DetailPopup popup(m_ctx, m_logic.member(), this);
        popup.exec();
    };
    // Keep the chosen record selected while the rows are read again.
    connect(m_add, &QPushButton::clicked, this, [this] { m_logic.addNew(); });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        const int row = selectedRow();
        const QString key = row >= 0 ? m_logic.rows()[size_t(row)].key : QString();
        m_logic.edit(row);
        select(key);
    });
    connect(m_delete, &QPushButton::clicked, this, [this] { m_logic.remove(selectedRow()); });
    connect(m_list, &QTreeView::doubleClicked, m_edit, &QPushButton::click);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &ListScreen::sortOn);

    m_logic.refresh();
    for (int column = 0; column < m_model.columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    for (int column = 0; column < m_model.columnCount(); ++column)
        m_list->setColumnWidth(column, std::max(m_list->columnWidth(column) + 24, 90));
}

int ListScreen::selectedRow() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListScreen::select(const QString &key)
{
    const int row = key.isEmpty() ? -1 : m_logic.rowOf(key);
    if (row < 0)
        return;
    const QModelIndex index = m_model.index(row, 0);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

void ListScreen::sortOn(int column)
{
    const int row = selectedRow();
    const QString key = row >= 0 ? m_logic.rows()[size_t(row)].key : QString();
    m_logic.sortOn(column);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(column, m_logic.descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
    select(key);
}

} // namespace kv::listdetail

#include "editing/options/pickslists.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kv::options {

PicksLists::PicksLists(const Option &option, QWidget *parent) : QWidget(parent), m_option(option)
{
    m_available = list(QStringLiteral("lvwDetails"));
    m_chosen = list(QStringLiteral("lvwGekozen"));
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    auto button = [&](const QString &name, const QString &text, void (PicksLists::*click)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, click);
        buttons->addWidget(b);
    };
    button(QStringLiteral("cmdAdd"), QStringLiteral("Toevoegen >"), &PicksLists::cmdAdd_Click);
    button(QStringLiteral("cmdDelete"), QStringLiteral("< Verwijderen"), &PicksLists::cmdDelete_Click);
    buttons->addSpacing(16);
    button(QStringLiteral("cmdUp"), QStringLiteral("Omhoog"), &PicksLists::cmdUp_Click);
    button(QStringLiteral("cmdDown"), QStringLiteral("Omlaag"), &PicksLists::cmdDown_Click);
    buttons->addStretch();
    connect(m_available, &QTreeWidget::itemDoubleClicked, this, &PicksLists::cmdAdd_Click);
    connect(m_chosen, &QTreeWidget::itemDoubleClicked, this, &PicksLists::cmdDelete_Click);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_available, 0, 0);
    layout->addLayout(buttons, 0, 1);
    layout->addWidget(m_chosen, 0, 2);
}

QTreeWidget *PicksLists::list(const QString &name)
{
    auto *list = new QTreeWidget(this);
    list->setObjectName(name);
    list->setHeaderLabels({QStringLiteral("Favoriet")});
    list->setRootIsDecorated(false);
    list->setMinimumSize(260, 380);
    return list;
}

void PicksLists::setKeys(const QString &keys)
{
    m_available->clear();
    m_chosen->clear();
    const QStringList chosen = keys.split(u',', Qt::SkipEmptyParts);
    auto add = [this](QTreeWidget *to, const QString &key) {
        auto *item = new QTreeWidgetItem(to, {m_option.items.value(m_option.values.indexOf(key))});
        item->setData(0, Qt::UserRole, key);
    };
    for (const QString &key : chosen)
        add(m_chosen, key);
    for (const QString &key : m_option.values)
        if (!chosen.contains(key))
            add(m_available, key);
}

QString PicksLists::keys() const
{
    QStringList keys;
    for (int row = 0; row < m_chosen->topLevelItemCount(); ++row)
        keys << m_chosen->topLevelItem(row)->data(0, Qt::UserRole).toString();
    return keys.join(u',');
}

void PicksLists::cmdAdd_Click()
{
    moveAcross(m_available, m_chosen);
}

void PicksLists::cmdDelete_Click()
{
    moveAcross(m_chosen, m_available);
}

// The selected item goes to the end of the other list; its neighbour becomes the selected one.
void PicksLists::moveAcross(QTreeWidget *from, QTreeWidget *to)
{
    QTreeWidgetItem *item = from->currentItem();
    if (!item)
        return;
    const int row = from->indexOfTopLevelItem(item);
    to->addTopLevelItem(from->takeTopLevelItem(row));
    if (from->topLevelItemCount() > 0)
        from->setCurrentItem(from->topLevelItem(std::min(row, from->topLevelItemCount() - 1)));
    Q_EMIT keysChanged(keys());
}

void PicksLists::moveChosen(int step)
{
    QTreeWidgetItem *item = m_chosen->currentItem();
    const int row = item ? m_chosen->indexOfTopLevelItem(item) : -1;
    if (row < 0 || row + step < 0 || row + step >= m_chosen->topLevelItemCount())
        return;
    m_chosen->insertTopLevelItem(row + step, m_chosen->takeTopLevelItem(row));
    m_chosen->setCurrentItem(item);
    Q_EMIT keysChanged(keys());
}

} // namespace kv::options

#include "core/navigation/menucolumn.h"

#include "core/mainwindow/theme.h"
#include "core/navigation/menuitem.h"
#include "core/navigation/menutables.h"

#include <QVBoxLayout>

#include <algorithm>

namespace kv {
namespace {

size_t longestSection()
{
    size_t rows = 0;
    for (const nav::MenuSection &section : nav::menuSections())
        rows = std::max(rows, section.rows.size());
    return rows;
}

} // namespace

MenuColumn::MenuColumn(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(theme::rowNormal));
    setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(0);
    for (size_t i = 0; i < longestSection(); ++i) {
        auto *item = new MenuItem(this);
        item->hide();
        connect(item, &MenuItem::clicked, this, [this, i] { Q_EMIT rowClicked(int(i)); });
        layout->addWidget(item);
        m_items.push_back(item);
    }
    layout->addStretch();
}

MenuItem *MenuColumn::item(int index) const
{
    return index >= 0 && index < rowCount() ? m_items[size_t(index)] : nullptr;
}

void MenuColumn::fill(const std::vector<const nav::MenuRow *> &rows)
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        MenuItem *item = m_items[i];
        item->fill(i < rows.size() ? rows[i] : nullptr);
        // A hidden row among the section's rows leaves its gap; rows past the end leave none.
        QSizePolicy policy = item->sizePolicy();
        policy.setRetainSizeWhenHidden(i < rows.size());
        item->setSizePolicy(policy);
    }
}

void MenuColumn::select(int index)
{
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->setSelected(int(i) == index);
}

} // namespace kv

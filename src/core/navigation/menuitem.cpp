#include "core/navigation/menuitem.h"

#include "core/mainwindow/theme.h"
#include "core/navigation/menutables.h"

#include <QPainter>

namespace kv {

MenuItem::MenuItem(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MenuItem::fill(const nav::MenuRow *row)
{
    m_caption = row ? nav::displayed(row->caption) : QString();
    m_key = row ? row->key.toString() : QString();
    m_selected = false;
    setAccessibleName(m_caption);
    setVisible(row != nullptr);
    update();
}

void MenuItem::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    update();
}

QSize MenuItem::sizeHint() const
{
    return {240, fontMetrics().height() + 16};
}

void MenuItem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRgb fill = m_selected ? theme::rowSelected : underMouse() ? theme::rowHover : theme::rowNormal;
    p.fillRect(rect(), QColor(fill));
    if (m_selected)
        p.fillRect(QRect(0, 0, 4, height()), QColor(theme::accent));
    if (hasFocus())
        p.fillRect(QRect(0, height() - 1, width(), 1), QColor(theme::accent));
    p.setPen(QColor(theme::text));
    const QRect textRect = rect().adjusted(20, 0, -12, 0);
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               fontMetrics().elidedText(m_caption, Qt::ElideRight, textRect.width()));
}

} // namespace kv

#include "core/mainwindow/sectionpanelbutton.h"

#include "core/mainwindow/sectionpanels.h"
#include "core/mainwindow/theme.h"
#include "core/navigation/menutables.h"

#include <QPainter>
#include <QPainterPath>

namespace kv {
namespace {

constexpr int padding = 16;
constexpr int tileSize = 48;

} // namespace

SectionPanelButton::SectionPanelButton(const SectionPanel &panel, QWidget *parent)
    : QAbstractButton(parent),
      m_main(nav::displayed(panel.mainCaption)),
      m_detail(nav::displayed(panel.detailCaption)),
      m_symbol(panel.symbol),
      m_tile(panel.tile)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(m_main + u" - " + m_detail);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SectionPanelButton::sizeHint() const
{
    return {260, tileSize + 2 * padding + 8};
}

QSize SectionPanelButton::minimumSizeHint() const
{
    return {220, sizeHint().height()};
}

void SectionPanelButton::paintIcon(QPainter &p, const QRect &tile) const
{
    QPainterPath rounded;
    rounded.addRoundedRect(tile, 10, 10);
    p.fillPath(rounded, m_tile);
    QFont symbolFont = font();
    symbolFont.setPixelSize(26);
    p.setFont(symbolFont);
    p.setPen(Qt::white);
    p.drawText(tile, Qt::AlignCenter, QString(m_symbol));
}

void SectionPanelButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool lit = underMouse() || hasFocus();
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
    p.fillPath(card, QColor(theme::card));
    p.setPen(QPen(QColor(lit ? theme::accent : theme::border), lit ? 2 : 1));
    p.drawPath(card);

    const QRect tile(padding, (height() - tileSize) / 2, tileSize, tileSize);
    paintIcon(p, tile);

    const int textLeft = tile.right() + padding;
    const QRect textArea(textLeft, padding, width() - textLeft - padding, height() - 2 * padding);
    QFont mainFont = font();
    mainFont.setPointSizeF(font().pointSizeF() * 1.15);
    mainFont.setBold(true);
    const QFontMetrics mainMetrics(mainFont);
    const QFontMetrics detailMetrics(font());
    const int top = textArea.top() + (textArea.height() - mainMetrics.height() - 4 - detailMetrics.height()) / 2;

    p.setFont(mainFont);
    p.setPen(QColor(theme::text));
    p.drawText(QRect(textLeft, top, textArea.width(), mainMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
               mainMetrics.elidedText(m_main, Qt::ElideRight, textArea.width()));
    p.setFont(font());
    p.setPen(QColor(theme::mutedText));
    p.drawText(QRect(textLeft, top + mainMetrics.height() + 4, textArea.width(), detailMetrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter, detailMetrics.elidedText(m_detail, Qt::ElideRight, textArea.width()));
}

} // namespace kv

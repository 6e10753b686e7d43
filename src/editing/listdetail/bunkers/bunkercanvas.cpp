#include "editing/listdetail/bunkers/bunkercanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace kv::listdetail {

namespace {

const QColor Background(0xEE, 0xF1, 0xF5), BandEdge(0xD3, 0xD9, 0xE0), Title(0x2B, 0x3A, 0x4A),
    Ink(0x1F, 0x2A, 0x36), Faint(0x7D, 0x88, 0x94), Hover(0x3A, 0x7B, 0xD5);

struct Colours {
    QColor fill, edge;
};

// Concrete for a bunker, steel for a silo, green for a supply line; an empty one pale.
Colours coloursOf(BunkerShape shape, bool empty)
{
    const auto pale = [](QColor c, double white) {
        return QColor::fromRgbF(float(c.redF() + (1 - c.redF()) * white), float(c.greenF() + (1 - c.greenF()) * white),
                                float(c.blueF() + (1 - c.blueF()) * white));
    };
    Colours colours;
    switch (shape) {
    case BunkerShape::Bunker:
        colours = {QColor(0xE6, 0xD3, 0xA8), QColor(0x8C, 0x6D, 0x3F)};
        break;
    case BunkerShape::Silo:
        colours = {QColor(0xC5, 0xD8, 0xEA), QColor(0x4F, 0x71, 0x92)};
        break;
    case BunkerShape::Aanvoerlijn:
        colours = {QColor(0xD2, 0xE4, 0xC5), QColor(0x5E, 0x84, 0x49)};
        break;
    }
    return empty ? Colours{pale(colours.fill, 0.7), pale(colours.edge, 0.55)} : colours;
}

struct Line {
    QString text;
    bool bold = false, faint = false;
};

// The lines centred in `area` from top to bottom, each cut off with "…" where it is too wide.
void paintLines(QPainter &painter, const QRectF &area, const std::vector<Line> &lines, bool empty)
{
    QFont normal = painter.font(), bold = normal;
    bold.setBold(true);
    const int step = QFontMetrics(normal).height() + 1;
    double y = area.top() + std::max(0.0, (area.height() - step * double(lines.size())) / 2);
    for (const Line &line : lines) {
        painter.setFont(line.bold ? bold : normal);
        painter.setPen(line.faint || empty ? Faint : Ink);
        const QString text = painter.fontMetrics().elidedText(line.text, Qt::ElideRight, int(area.width()));
        painter.drawText(QRectF(area.left(), y, area.width(), step), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += step;
    }
    painter.setFont(normal);
}

QString joined(const QStringList &parts)
{
    QStringList filled;
    for (const QString &part : parts) {
        if (!part.trimmed().isEmpty())
            filled += part.trimmed();
    }
    return filled.join(u"  ·  ");
}

QString lotText(const BunkerItem &item)
{
    return item.empty() ? QStringLiteral("Geen partij") : joined({QString(u"Partij " + item.lotNr.trimmed()), item.lotName});
}

// Name, extra and status, lot and when it was filled, one to a line.
std::vector<Line> tallLines(const BunkerItem &item)
{
    std::vector<Line> lines{{item.name.trimmed(), true}, {joined({item.extra, item.status})}};
    if (item.empty()) {
        lines.push_back({lotText(item), false, true});
    } else {
        lines.push_back({u"Partij " + item.lotNr.trimmed()});
        lines.push_back({item.lotName.trimmed()});
    }
    if (!item.filled.isEmpty())
        lines.push_back({u"Gevuld " + item.filled});
    return lines;
}

// A bunker: three walls around its floor, open at the top where it is filled.
void paintBunker(QPainter &painter, const BunkerItem &item, const QRectF &r, const Colours &c)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(c.fill);
    painter.drawRect(r);
    if (!item.empty()) { // the heap of the lot
        QPainterPath heap;
        heap.moveTo(r.left(), r.bottom());
        heap.lineTo(r.left(), r.bottom() - r.height() * 0.22);
        heap.quadTo(r.center().x(), r.bottom() - r.height() * 0.55, r.right(), r.bottom() - r.height() * 0.22);
        heap.lineTo(r.right(), r.bottom());
        painter.setBrush(c.fill.darker(108));
        painter.drawPath(heap);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(c.edge, 6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(QPolygonF{r.topLeft(), r.bottomLeft(), r.bottomRight(), r.topRight()});
    painter.setPen(QPen(c.edge, 1, Qt::DashLine));
    painter.drawLine(r.topLeft(), r.topRight());
    paintLines(painter, r.adjusted(14, 6, -14, -8), tallLines(item), item.empty());
}

// A silo: a standing cylinder with its lid on top.
void paintSilo(QPainter &painter, const BunkerItem &item, const QRectF &r, const Colours &c)
{
    const double lid = 24;
    const QRectF top(r.left(), r.top(), r.width(), lid), bottom(r.left(), r.bottom() - lid, r.width(), lid);
    QPainterPath body;
    body.moveTo(r.left(), r.top() + lid / 2);
    body.lineTo(r.left(), r.bottom() - lid / 2);
    body.arcTo(bottom, 180, 180);
    body.lineTo(r.right(), r.top() + lid / 2);
    body.arcTo(top, 0, 180);
    body.closeSubpath();
    painter.setPen(QPen(c.edge, 2));
    painter.setBrush(c.fill);
    painter.drawPath(body);
    if (!item.empty()) { // the level of the lot
        painter.save();
        painter.setClipPath(body);
        painter.fillRect(QRectF(r.left(), r.bottom() - r.height() * 0.32, r.width(), r.height()), c.fill.darker(108));
        painter.restore();
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(body);
    }
    painter.setBrush(c.fill.lighter(106));
    painter.drawEllipse(top);
    paintLines(painter, QRectF(r.left() + 10, top.bottom() + 1, r.width() - 20, r.height() - lid * 1.5 - 4),
               tallLines(item), item.empty());
}

// A supply line: a belt between two drums, running to the right.
void paintAanvoerlijn(QPainter &painter, const BunkerItem &item, const QRectF &r, const Colours &c)
{
    const double h = r.height();
    painter.setPen(QPen(c.edge, 2));
    painter.setBrush(c.fill);
    painter.drawRoundedRect(r, h / 2, h / 2);
    painter.setBrush(c.fill.lighter(110));
    const double drum = h / 2 - 6;
    for (double x : {r.left() + h / 2, r.right() - h / 2}) {
        painter.drawEllipse(QPointF(x, r.center().y()), drum, drum);
        painter.drawEllipse(QPointF(x, r.center().y()), 2, 2);
    }
    painter.setPen(QPen(c.edge, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (double x : {r.right() - h - 16, r.right() - h - 6}) {
        const double y = r.center().y();
        painter.drawPolyline(QPolygonF{{x - 4, y - 6}, {x + 2, y}, {x - 4, y + 6}});
    }
    const std::vector<Line> lines{{joined({item.name, item.extra}), true},
                                  {joined({item.status, lotText(item), item.filled.isEmpty() ? QString() : QString(u"Gevuld " + item.filled)})}};
    paintLines(painter, r.adjusted(h + 2, 2, -(h + 26), -2), lines, item.empty());
}

QString counted(qsizetype n, const char *one, const char *more)
{
    return QString::number(n) + u' ' + QString::fromUtf8(n == 1 ? one : more);
}

} // namespace

BunkerCanvas::BunkerCanvas(QWidget *parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMouseTracking(true);
    setAutoFillBackground(false);
}

void BunkerCanvas::setBunkers(std::vector<BunkerItem> bunkers, std::vector<Shed> sheds)
{
    m_bunkers = std::move(bunkers);
    m_sheds = std::move(sheds);
    m_hovered = nullptr;
    m_layout = layOutBunkers(m_bunkers, m_sheds, width());
    setMinimumWidth(layOutBunkers({}, {}, 0).size.width());
    updateGeometry();
    update();
}

int BunkerCanvas::heightForWidth(int width) const
{
    return layOutBunkers(m_bunkers, m_sheds, width).size.height();
}

QSize BunkerCanvas::sizeHint() const
{
    return layOutBunkers(m_bunkers, m_sheds, 1000).size;
}

void BunkerCanvas::resizeEvent(QResizeEvent *)
{
    m_hovered = nullptr;
    m_layout = layOutBunkers(m_bunkers, m_sheds, width());
}

void BunkerCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Background);
    if (m_layout.bands.empty()) {
        painter.setPen(Faint);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Er zijn nog geen bunkers ingevoerd."));
        return;
    }
    for (const BunkerLayout::Band &band : m_layout.bands)
        paintBand(painter, band);
}

void BunkerCanvas::paintBand(QPainter &painter, const BunkerLayout::Band &band) const
{
    painter.setPen(BandEdge);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(band.rect).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    const QRect header(band.rect.left() + 16, band.rect.top(), band.rect.width() - 32, BandHeader);
    painter.drawLine(band.rect.left() + 1, header.bottom(), band.rect.right() - 1, header.bottom());

    QFont font = painter.font();
    QFont title = font;
    title.setBold(true);
    title.setPointSizeF(font.pointSizeF() * 1.15);
    painter.setFont(title);
    painter.setPen(Title);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, band.title);
    painter.setFont(font);

    qsizetype count[3] = {};
    for (const BunkerLayout::Tile &tile : band.tiles)
        ++count[int(shapeOf(m_bunkers[tile.item].type))];
    QStringList parts;
    if (count[int(BunkerShape::Bunker)])
        parts += counted(count[int(BunkerShape::Bunker)], "bunker", "bunkers");
    if (count[int(BunkerShape::Silo)])
        parts += counted(count[int(BunkerShape::Silo)], "silo", "silo's");
    if (count[int(BunkerShape::Aanvoerlijn)])
        parts += counted(count[int(BunkerShape::Aanvoerlijn)], "aanvoerlijn", "aanvoerlijnen");
    painter.setPen(Faint);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, parts.join(u", "));

    for (const BunkerLayout::Tile &tile : band.tiles) {
        paintTile(painter, m_bunkers[tile.item], tile.rect);
        if (&tile == m_hovered) {
            painter.setPen(QPen(Hover, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(tile.rect).adjusted(-4, -4, 4, 4), 6, 6);
        }
    }
}

void BunkerCanvas::paintTile(QPainter &painter, const BunkerItem &item, const QRect &rect) const
{
    const BunkerShape shape = shapeOf(item.type);
    const Colours colours = coloursOf(shape, item.empty());
    painter.save();
    switch (shape) {
    case BunkerShape::Bunker:
        paintBunker(painter, item, QRectF(rect).adjusted(3, 3, -3, -3), colours);
        break;
    case BunkerShape::Silo:
        paintSilo(painter, item, QRectF(rect).adjusted(2, 2, -2, -2), colours);
        break;
    case BunkerShape::Aanvoerlijn:
        paintAanvoerlijn(painter, item, QRectF(rect).adjusted(2, 4, -2, -4), colours);
        break;
    }
    painter.restore();
}

void BunkerCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    const BunkerLayout::Tile *tile = m_layout.tileAt(event->position().toPoint());
    if (tile && activated)
        activated(m_bunkers[tile->item].key); // may lay the drawing out anew: `tile` is gone
}

void BunkerCanvas::mouseMoveEvent(QMouseEvent *event)
{
    hover(m_layout.tileAt(event->position().toPoint()));
}

void BunkerCanvas::leaveEvent(QEvent *)
{
    hover(nullptr);
}

void BunkerCanvas::hover(const BunkerLayout::Tile *tile)
{
    if (tile == m_hovered)
        return;
    m_hovered = tile;
    setCursor(tile ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
}

bool BunkerCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const BunkerLayout::Tile *tile = m_layout.tileAt(help->pos());
        if (tile)
            QToolTip::showText(help->globalPos(), u"Dubbelklik om " + m_bunkers[tile->item].name.trimmed() + u" te wijzigen", this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace kv::listdetail

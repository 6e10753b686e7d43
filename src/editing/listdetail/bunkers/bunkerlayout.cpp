#include "editing/listdetail/bunkers/bunkerlayout.h"

#include "editing/dates.h"

#include <algorithm>

namespace kv::listdetail {

namespace {

constexpr int Margin = 12, BandGap = 12, Padding = 14, Gap = 14;

// Lays `items` out in rows inside a band whose tiles may use `left` to `right`, starting at
// `top`; returns the bottom of the last row.
int layOutRows(BunkerLayout::Band &band, const std::vector<BunkerItem> &bunkers, const std::vector<size_t> &items,
               int left, int right, int top)
{
    size_t first = 0;
    while (first < items.size()) {
        // The row: as many tiles as fit, at least one.
        size_t end = first;
        int x = left, height = 0;
        while (end < items.size()) {
            const QSize size = tileSize(shapeOf(bunkers[items[end]].type));
            if (end > first && x + size.width() > right)
                break;
            x += size.width() + Gap;
            height = std::max(height, size.height());
            ++end;
        }
        x = left;
        for (size_t i = first; i < end; ++i) {
            const QSize size = tileSize(shapeOf(bunkers[items[i]].type));
            band.tiles.push_back({items[i], QRect(QPoint(x, top + (height - size.height()) / 2), size)});
            x += size.width() + Gap;
        }
        top += height + Gap;
        first = end;
    }
    return top - Gap;
}

} // namespace

BunkerShape shapeOf(const QString &type)
{
    if (type.trimmed().compare(u"Silo", Qt::CaseInsensitive) == 0)
        return BunkerShape::Silo;
    if (type.trimmed().compare(u"Aanvoerlijn", Qt::CaseInsensitive) == 0)
        return BunkerShape::Aanvoerlijn;
    return BunkerShape::Bunker;
}

QSize tileSize(BunkerShape shape)
{
    switch (shape) {
    case BunkerShape::Silo:
        return {192, 150};
    case BunkerShape::Aanvoerlijn:
        return {620, 60};
    case BunkerShape::Bunker:
        break;
    }
    return {214, 120};
}

const BunkerLayout::Tile *BunkerLayout::tileAt(QPoint point) const
{
    for (const Band &band : bands) {
        for (const Tile &tile : band.tiles) {
            if (tile.rect.contains(point))
                return &tile;
        }
    }
    return nullptr;
}

BunkerLayout layOutBunkers(const std::vector<BunkerItem> &bunkers, const std::vector<Shed> &sheds, int width)
{
    // The band of each bunker: the position of its shed, or one past the sheds.
    std::vector<std::vector<size_t>> groups(sheds.size() + 1);
    for (size_t i = 0; i < bunkers.size(); ++i) {
        const auto shed = std::find_if(sheds.begin(), sheds.end(),
                                       [&](const Shed &s) { return bunkers[i].shed == s.code; });
        groups[size_t(shed - sheds.begin())].push_back(i);
    }

    int widest = 0;
    for (BunkerShape shape : {BunkerShape::Bunker, BunkerShape::Silo, BunkerShape::Aanvoerlijn})
        widest = std::max(widest, tileSize(shape).width());
    width = std::max(width, widest + 2 * (Margin + Padding));

    BunkerLayout layout;
    int top = Margin;
    for (size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].empty())
            continue;
        BunkerLayout::Band band{g < sheds.size() ? sheds[g].name : QStringLiteral("Zonder loods"), {}, {}};
        const int left = Margin + Padding, right = width - Margin - Padding;
        const int bottom = layOutRows(band, bunkers, groups[g], left, right, top + BandHeader + Padding / 2);
        band.rect = QRect(QPoint(Margin, top), QPoint(width - Margin - 1, bottom + Padding - 1));
        top = band.rect.bottom() + 1 + BandGap;
        layout.bands.push_back(std::move(band));
    }
    layout.size = QSize(width, layout.bands.empty() ? 2 * Margin : top - BandGap + Margin);
    return layout;
}

QString filledText(const QString &stored)
{
    const QString text = stored.trimmed();
    const QDate date = OpgeslagenDatum(QStringView(text).left(8));
    if (!date.isValid())
        return {};
    const QTime time = QTime::fromString(text.mid(8, 4), u"hhmm");
    return date.toString(u"dd-MM-yyyy") + (time.isValid() ? time.toString(u" hh:mm") : QString());
}

} // namespace kv::listdetail

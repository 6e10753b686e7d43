#include "editing/listdetail/bunkers/bunkerlayout.h"

#include <gtest/gtest.h>

#include <climits>

using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

namespace {

BunkerItem bunker(const char *type, std::optional<qint64> shed)
{
    return {{}, {}, {}, QString::fromLatin1(type), {}, {}, {}, {}, shed};
}

struct Expected {
    QString title;
    std::vector<int> rows; // tiles per row
};

// Tiles per row of a band: a row starts where a tile lies left of the one before it.
std::vector<int> rowsOf(const BunkerLayout::Band &band)
{
    std::vector<int> rows;
    int lastLeft = INT_MAX;
    for (const BunkerLayout::Tile &tile : band.tiles) {
        if (tile.rect.left() <= lastLeft)
            rows.push_back(0);
        ++rows.back();
        lastLeft = tile.rect.left();
    }
    return rows;
}

} // namespace

TEST(BunkerLayout, BandsFollowTheShedsAndTilesWrapWithoutOverlapping)
{
    const std::vector<Shed> sheds{{2, u"Loods B"_s}, {1, u"Loods A"_s}, {5, u"Koelcel"_s}};
    const struct {
        const char *name;
        std::vector<BunkerItem> bunkers;
        int width;
        std::vector<Expected> bands;
    } cases[] = {
        {"sheds in their table's order, empty ones left out, no or an unknown shed last",
         {bunker("Bunker", 1), bunker("Silo", std::nullopt), bunker("Bunker", 2), bunker("Silo", 9), bunker("Silo", 1)},
         1400,
         {{u"Loods B"_s, {1}}, {u"Loods A"_s, {2}}, {u"Zonder loods"_s, {2}}}},
        {"five bunkers where three fit",
         std::vector<BunkerItem>(5, bunker("Bunker", 1)), 800, {{u"Loods A"_s, {3, 2}}}},
        {"a supply line and two silos of which one fits beside it",
         {bunker("Aanvoerlijn", 2), bunker("Silo", 2), bunker("Silo", 2)}, 900, {{u"Loods B"_s, {2, 1}}}},
        {"too narrow: the drawing as wide as a supply line needs",
         {bunker("Aanvoerlijn", 5), bunker("Bunker", 5), bunker("Onbekend", 5)}, 100, {{u"Koelcel"_s, {1, 2}}}},
        {"no bunkers", {}, 800, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const BunkerLayout layout = layOutBunkers(c.bunkers, sheds, c.width);
        ASSERT_EQ(layout.bands.size(), c.bands.size());
        EXPECT_GE(layout.size.width(), c.width);

        std::vector<int> seen(c.bunkers.size());
        std::vector<QRect> tiles;
        int bandBottom = -1;
        for (size_t b = 0; b < layout.bands.size(); ++b) {
            const BunkerLayout::Band &band = layout.bands[b];
            EXPECT_EQ(band.title, c.bands[b].title);
            EXPECT_EQ(rowsOf(band), c.bands[b].rows);
            EXPECT_GT(band.rect.top(), bandBottom);
            EXPECT_TRUE(QRect(QPoint(0, 0), layout.size).contains(band.rect));
            bandBottom = band.rect.bottom();
            for (const BunkerLayout::Tile &tile : band.tiles) {
                ++seen[tile.item];
                EXPECT_EQ(tile.rect.size(), tileSize(shapeOf(c.bunkers[tile.item].type)));
                EXPECT_TRUE(band.rect.adjusted(0, BandHeader, 0, 0).contains(tile.rect)) << tile.item;
                for (const QRect &other : tiles)
                    EXPECT_FALSE(other.intersects(tile.rect)) << tile.item;
                tiles.push_back(tile.rect);
                EXPECT_EQ(layout.tileAt(tile.rect.center()), &tile);
            }
        }
        EXPECT_EQ(seen, std::vector<int>(c.bunkers.size(), 1));
    }
}

TEST(BunkerLayout, FilledMomentsReadAsDutchDates)
{
    const std::pair<const char *, const char *> cases[] = {
        {"20260801073000", "01-08-2026 07:30"}, {"20260801", "01-08-2026"}, {"20261301073000", ""}, {"", ""}};
    for (const auto &[stored, shown] : cases)
        EXPECT_EQ(filledText(QString::fromLatin1(stored)), QString::fromLatin1(shown)) << stored;
}

#pragma once

#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace kv::listdetail {

// One bunker, silo or supply line as the drawing shows it.
struct BunkerItem {
    QString key; // BunkerID as text
    QString name, extra, type, status;
    QString lotNr, lotName; // InkoopNr, BunkerHuidigePartijNaam
    QString filled;         // DateTimeGevuld as "dd-mm-yyyy hh:mm", or ""
    std::optional<qint64> shed; // BunkerLoods; nothing when it names none

    bool empty() const { return lotNr.trimmed().isEmpty() && lotName.trimmed().isEmpty(); }
};

// A shed of TabelLoods.
struct Shed {
    qint64 code;
    QString name;
};

enum class BunkerShape { Bunker, Silo, Aanvoerlijn };
// A type other than "Silo" or "Aanvoerlijn" is drawn as a bunker.
BunkerShape shapeOf(const QString &type);
QSize tileSize(BunkerShape shape);

// Where the drawing puts everything, for a given width.
struct BunkerLayout {
    struct Tile {
        size_t item; // index into the bunkers laid out
        QRect rect;
    };
    struct Band {
        QString title;
        QRect rect;
        std::vector<Tile> tiles;
    };
    std::vector<Band> bands;
    QSize size; // at least as wide as the widest tile needs

    const Tile *tileAt(QPoint point) const;
};

inline constexpr int BandHeader = 30; // the shed's name above its tiles

// A band per shed that holds bunkers, in the sheds' order, then "Zonder loods" for those whose
// shed is missing or unknown; in a band the bunkers in their given order, wrapped into rows
// that fit `width`.
BunkerLayout layOutBunkers(const std::vector<BunkerItem> &bunkers, const std::vector<Shed> &sheds, int width);

// "yyyymmddhhmmss" as "dd-mm-yyyy hh:mm"; "" when it holds no date.
QString filledText(const QString &stored);

} // namespace kv::listdetail

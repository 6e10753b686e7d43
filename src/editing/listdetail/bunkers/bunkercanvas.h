#pragma once

#include "editing/listdetail/bunkers/bunkerlayout.h"

#include <QWidget>

#include <functional>

namespace kv::listdetail {

// The bunkers painted in their sheds. It takes the width it is given and asks the height its
// layout needs; a double-click on a tile is handed to `activated` with the bunker's key.
class BunkerCanvas : public QWidget {
    Q_OBJECT
public:
    explicit BunkerCanvas(QWidget *parent = nullptr);

    void setBunkers(std::vector<BunkerItem> bunkers, std::vector<Shed> sheds);
    const std::vector<BunkerItem> &bunkers() const { return m_bunkers; }
    const BunkerLayout &layout() const { return m_layout; }

    std::function<void(const QString &key)> activated;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void leaveEvent(QEvent *) override;
    bool event(QEvent *) override;

private:
    void paintBand(QPainter &painter, const BunkerLayout::Band &band) const;
    void paintTile(QPainter &painter, const BunkerItem &item, const QRect &rect) const;
    void hover(const BunkerLayout::Tile *tile);

    std::vector<BunkerItem> m_bunkers;
    std::vector<Shed> m_sheds;
    BunkerLayout m_layout;
    const BunkerLayout::Tile *m_hovered = nullptr;
};

} // namespace kv::listdetail

#pragma once

#include <QRgb>
#include <QStringView>

#include <vector>

namespace kv {

// One panel of the section overview: the section key it opens, its two captions ("&&" shows
// as "&"), and its icon: a symbol on a tile of its own colour.
struct SectionPanel {
    QStringView key;
    QStringView mainCaption;
    QStringView detailCaption;
    char16_t symbol;
    QRgb tile;
};

// The thirteen panels in their order; a panel's index is its number in `ToonSectie`.
const std::vector<SectionPanel> &sectionPanels();

} // namespace kv

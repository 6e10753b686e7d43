#pragma once

#include <QRect>

namespace kv {

class Context;

// Where the search windows stood when they last closed, kept in the registry in twips under
// "RelQueryState", "RelQueryX", "RelQueryY", "RelQueryWidth" and "RelQueryHeight". A missing
// value is written with its default before use.
struct VensterPlaats {
    int state = 0; // 0 normal, 2 maximized
    QRect twips{0, 0, 11235, 7110};

    static VensterPlaats lees(Context &ctx);
    void schrijf(Context &ctx) const;

    QRect pixels() const;
    static QRect naarTwips(const QRect &pixels);
};

} // namespace kv

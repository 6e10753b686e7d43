#include "editing/selection/vensterplaats.h"

#include "core/context.h"
#include "core/registry/registry.h"

namespace kv {

namespace {

constexpr int TwipsPerPixel = 15; // at 96 dots per inch

struct Waarde {
    QStringView naam;
    int standaard;
};
const Waarde waarden[] = {
    {u"RelQueryState", 0}, {u"RelQueryX", 0}, {u"RelQueryY", 0}, {u"RelQueryWidth", 11235}, {u"RelQueryHeight", 7110},
};

} // namespace

VensterPlaats VensterPlaats::lees(Context &ctx)
{
    int v[5];
    for (int i = 0; i < 5; ++i) {
        QString tekst = ctx.registry ? ctx.registry->LeesRegistry(RegKeyKorvenal, waarden[i].naam) : QString();
        if (tekst.trimmed().isEmpty()) {
            tekst = QString::number(waarden[i].standaard);
            if (ctx.registry)
                ctx.registry->SchrijfRegistry(RegKeyKorvenal, waarden[i].naam, tekst);
        }
        bool ok = false;
        v[i] = tekst.trimmed().toInt(&ok);
        if (!ok)
            v[i] = waarden[i].standaard;
    }
    VensterPlaats p;
    p.state = v[0];
    p.twips = QRect(v[1], v[2], v[3] > 0 ? v[3] : 11235, v[4] > 0 ? v[4] : 7110);
    return p;
}

void VensterPlaats::schrijf(Context &ctx) const
{
    if (!ctx.registry)
        return;
    const int v[5] = {state, twips.x(), twips.y(), twips.width(), twips.height()};
    for (int i = 0; i < 5; ++i)
        ctx.registry->SchrijfRegistry(RegKeyKorvenal, waarden[i].naam, QString::number(v[i]));
}

QRect VensterPlaats::pixels() const
{
    return {twips.x() / TwipsPerPixel, twips.y() / TwipsPerPixel, twips.width() / TwipsPerPixel,
            twips.height() / TwipsPerPixel};
}

QRect VensterPlaats::naarTwips(const QRect &p)
{
    return {p.x() * TwipsPerPixel, p.y() * TwipsPerPixel, p.width() * TwipsPerPixel, p.height() * TwipsPerPixel};
}

} // namespace kv

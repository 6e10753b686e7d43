#include "editing/selection/frmselectiescherm.h"

#include "core/context.h"

#include <QLineEdit>
#include <QTimer>

namespace kv {

frmSelectieScherm::frmSelectieScherm(Context &ctx, const QString &selectieSoort, QWidget *parent)
    : ZoekVenster(ctx, parent), m_logica(ctx, selectieSoort)
{
    setObjectName(QStringLiteral("frmSelectieScherm"));
    begin(m_logica.fill(), m_logica.volgordes(), m_logica.kolommen(), m_logica.startTekst());
}

QString toonSelectieScherm(Context &ctx, const QString &selectieSoort, QWidget *parent)
{
    frmSelectieScherm venster(ctx, selectieSoort, parent);
    // A starting text is searched as soon as the window is up.
    if (!venster.zoekVeld()->text().isEmpty())
        QTimer::singleShot(0, &venster, &ZoekVenster::zoeken);
    venster.exec();
    return ctx.SelectieResultaat().trimmed();
}

} // namespace kv

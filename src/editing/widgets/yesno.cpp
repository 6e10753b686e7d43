#include "editing/widgets/yesno.h"

#include <QPainter>

namespace kv {

YesNo::YesNo(QWidget *parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral(" Klik om aan / uit te zetten "));
    connect(this, &QAbstractButton::toggled, this, [this] { Q_EMIT stateChanged(state()); });
}

QString YesNo::state() const
{
    return isChecked() ? QStringLiteral("on") : QStringLiteral("off");
}

void YesNo::setState(const QString &state)
{
    setChecked(state == u"on");
}

QSize YesNo::sizeHint() const
{
    const int h = fontMetrics().height();
    return {2 * h, h};
}

void YesNo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(palette().color(isChecked() ? QPalette::Highlight : QPalette::Button));
    p.drawRoundedRect(track, radius, radius);

    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    p.setBrush(palette().color(isEnabled() ? QPalette::Base : QPalette::Window));
    p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRoundedRect(track, radius, radius);
    }
}

} // namespace kv

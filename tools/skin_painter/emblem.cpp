#include "tools/skin_painter/emblem.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "tools/skin_painter/palette.h"

namespace voltrane::skinpaint {

namespace {
QPolygonF hexagon(QPointF c, qreal radius) {
    QPolygonF hex;
    for (int i = 0; i < 6; ++i) {
        const qreal a = std::numbers::pi / 3 * i + std::numbers::pi / 6;
        hex << c + QPointF(radius * std::cos(a), radius * std::sin(a));
    }
    return hex;
}

// One blade of the V: from the top outer corner down to the point at the bottom centre.
QPainterPath blade(QPointF c, qreal s, qreal side) {
    QPainterPath path;
    path.moveTo(c + QPointF(side * 0.34 * s, -0.26 * s));
    path.lineTo(c + QPointF(side * 0.16 * s, -0.26 * s));
    path.lineTo(c + QPointF(0, 0.1 * s));
    path.lineTo(c + QPointF(0, 0.3 * s));
    path.closeSubpath();
    return path;
}
}  // namespace

void drawEmblem(QPainter& p, QPointF centre, qreal size, qreal opacity) {
    p.save();
    p.setOpacity(opacity);
    const qreal s = size;
    p.setPen(QPen(withAlpha(kAccent, 90), s * 0.09));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(hexagon(centre, s * 0.46));
    QLinearGradient steel(centre - QPointF(0, s / 2), centre + QPointF(0, s / 2));
    steel.setColorAt(0, QColor(0xe8, 0xf2, 0xff));
    steel.setColorAt(1, QColor(0x7a, 0x8c, 0xa4));
    QLinearGradient volt(centre - QPointF(0, s / 2), centre + QPointF(0, s / 2));
    volt.setColorAt(0, QColor(0x8c, 0xc6, 0xff));
    volt.setColorAt(1, kAccent);
    p.setPen(QPen(kAccentLight, s * 0.03));
    p.setBrush(steel);
    p.drawPolygon(hexagon(centre, s * 0.46));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0e, 0x12, 0x18));
    p.drawPolygon(hexagon(centre, s * 0.4));
    p.setBrush(volt);
    p.drawPath(blade(centre, s, -1));
    p.setBrush(steel);
    p.drawPath(blade(centre, s, 1));
    p.restore();
}

}  // namespace voltrane::skinpaint

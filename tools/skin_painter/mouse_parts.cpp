#include "tools/skin_painter/mouse_parts.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "skin/item_rects.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
const QPen kSeam(QColor(0x04, 0x05, 0x07), 1.4);
}

void drawShell(QPainter& p, const QPainterPath& body, const QGradient& fill, QPointF sheen) {
    paintShape(p, body, fill, kSeam);
    paintShape(p, body, fadingSpot(sheen, 70, Qt::white, 32));
}

void drawSoftShadow(QPainter& p, const QRectF& r) {
    QRadialGradient shade(0.5, 0.5, 0.5);
    shade.setCoordinateMode(QGradient::ObjectMode);
    shade.setColorAt(0, withAlpha(Qt::black, 190));
    shade.setColorAt(0.7, withAlpha(Qt::black, 90));
    shade.setColorAt(1, withAlpha(Qt::black, 0));
    QPainterPath ellipse;
    ellipse.addEllipse(r);
    paintShape(p, ellipse, shade);
}

void drawSmallButton(QPainter& p, const QRectF& r) {
    const qreal radius = std::min(r.width(), r.height()) / 2;
    paintShape(p, roundedRect(r, radius),
               ramp(r.topLeft(), r.bottomLeft(),
                    {{0, QColor(0x4a, 0x55, 0x64)},
                     {0.45, QColor(0x2a, 0x31, 0x3b)},
                     {1, QColor(0x15, 0x19, 0x1f)}}),
               kSeam);
    p.setPen(QPen(withAlpha(Qt::white, 60), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
}

void drawWheel(QPainter& p, const QRectF& r) {
    const bool upright = r.height() > r.width();
    const qreal radius = std::min(r.width(), r.height()) / 2;
    paintShape(p, roundedRect(r.adjusted(-3, -3, 3, 3), radius + 3), withAlpha(kAccent, 90));
    const QColor edge(0x14, 0x18, 0x1e);
    paintShape(p, roundedRect(r, radius),
               ramp(r.topLeft(), upright ? r.topRight() : r.bottomLeft(),
                    {{0, edge}, {0.5, QColor(0x4c, 0x57, 0x66)}, {1, edge}}),
               kSeam);
    p.setPen(QPen(withAlpha(Qt::black, 150), 1));
    const int ribs = 7;
    for (int i = 1; i < ribs; ++i) {
        if (upright) {
            const qreal y = r.top() + r.height() * i / ribs;
            p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
        } else {
            const qreal x = r.left() + r.width() * i / ribs;
            p.drawLine(QPointF(x, r.top() + 2), QPointF(x, r.bottom() - 2));
        }
    }
}

void drawLightStrip(QPainter& p, const QPainterPath& path) {
    p.setBrush(Qt::NoBrush);
    for (int i = 4; i >= 1; --i) {
        p.setPen(QPen(withAlpha(kAccent, 34), i * 3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
    p.setPen(QPen(QColor(0x9c, 0xcd, 0xff), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
}

qreal leaderHeight(int item) { return kItemRects[item].bottom() - 2.5; }

void drawLeaderLine(QPainter& p, QPointF start, int item) {
    const qreal y = leaderHeight(item);
    const QPointF elbow(start.x() + std::abs(y - start.y()), y);
    const QPointF end(kItemRects[item].x, y);
    QPainterPath path(start);
    path.lineTo(elbow);
    path.lineTo(end);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(Qt::black, 170), 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(path);
    const QLinearGradient ink = ramp(start, end, {{0, withAlpha(kAccentLight, 240)}, {1, kAccentDeep}});
    p.setPen(QPen(QBrush(ink), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(path);
    drawGlowDot(p, start, 2.6, kAccentLight);
}

}  // namespace voltrane::skinpaint

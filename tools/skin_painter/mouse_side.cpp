#include <QLinearGradient>
#include <QRadialGradient>

#include "tools/skin_painter/emblem.h"
#include "tools/skin_painter/mouse_parts.h"
#include "tools/skin_painter/mouse_pictures.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
constexpr qreal kBase = 332;   // where the mouse stands
constexpr qreal kSkirt = 326;  // top of the base strip with its light

// Buttons 4 and 5 above 6 and 7 on the thumb rest.
const QRectF kThumbButtons[] = {
    QRectF(66, 266, 36, 14),
    QRectF(106, 266, 36, 14),
    QRectF(56, 284, 34, 13),
    QRectF(94, 284, 34, 13),
};

// The left side's outline, front to the left.
QPainterPath bodyOutline() {
    QPainterPath path(QPointF(38, kBase));
    path.cubicTo(26, 330, 22, 316, 26, 302);
    path.cubicTo(32, 282, 46, 266, 70, 256);
    path.cubicTo(104, 240, 140, 222, 185, 220);
    path.cubicTo(225, 219, 252, 236, 262, 262);
    path.cubicTo(270, 286, 266, 318, 248, kBase);
    path.closeSubpath();
    return path;
}

void drawFlank(QPainter& p, const QPainterPath& body) {
    drawShell(p, body,
              ramp(QPointF(0, 220), QPointF(0, kBase),
                   {{0, QColor(0x34, 0x3d, 0x49)},
                    {0.35, QColor(0x22, 0x29, 0x32)},
                    {1, QColor(0x0c, 0x0f, 0x13)}}),
              QPointF(190, 248));
}

// The top shell (the main buttons and the palm) seen edge-on, with the seam where the buttons end.
void drawTopShell(QPainter& p, const QPainterPath& body) {
    const QPainterPath shell = body.subtracted(body.translated(3, 11));
    QLinearGradient top(QPointF(0, 218), QPointF(0, 262));
    top.setColorAt(0, QColor(0x4a, 0x55, 0x64));
    top.setColorAt(1, QColor(0x22, 0x29, 0x32));
    p.setPen(Qt::NoPen);
    p.setBrush(top);
    p.drawPath(shell);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x05, 0x07, 0x0a), 1.4));
    p.drawLine(QPointF(160, 223), QPointF(163, 235));
}

void drawSkirt(QPainter& p, const QPainterPath& body) {
    QPainterPath skirt;
    skirt.addRect(0, kSkirt, 300, kBase - kSkirt + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x09, 0x0b, 0x0e));
    p.drawPath(body.intersected(skirt));
    p.setBrush(Qt::NoBrush);
    QPainterPath strip(QPointF(36, kSkirt));
    strip.lineTo(256, kSkirt);
    drawLightStrip(p, strip);
}

// The thumb rest: a shallow dish holding buttons 4 and 5 above 6 and 7.
void drawThumbCluster(QPainter& p) {
    QRadialGradient dish(QPointF(96, 284), 60);
    dish.setColorAt(0, withAlpha(Qt::black, 120));
    dish.setColorAt(1, withAlpha(Qt::black, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(dish);
    p.drawEllipse(QPointF(96, 284), 64, 26);
    p.setBrush(Qt::NoBrush);
    for (const QRectF& button : kThumbButtons) drawSmallButton(p, button);
}

// The mouse mirrored in the glossy floor, fading out downwards.
void drawReflection(QPainter& p, const QPainterPath& body) {
    const QPainterPath mirrored = QTransform(1, 0, 0, -1, 0, 2 * kBase + 2).map(body);
    paintShape(p, mirrored,
               ramp(QPointF(0, kBase), QPointF(0, kBase + 60),
                    {{0, QColor(0x2a, 0x32, 0x3d, 110)}, {1, QColor(0x2a, 0x32, 0x3d, 0)}}));
}

void drawFloor(QPainter& p) {
    drawSoftShadow(p, QRectF(20, kBase - 10, 260, 26));
    QLinearGradient glow(QPointF(0, kBase + 2), QPointF(300, kBase + 2));
    glow.setColorAt(0, withAlpha(kAccent, 0));
    glow.setColorAt(0.5, withAlpha(kAccent, 120));
    glow.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(QRectF(20, kBase + 1, 262, 1.5), glow);
}
}  // namespace

void drawMouseFromSide(QPainter& p) {
    const QPainterPath body = bodyOutline();
    drawReflection(p, body);
    drawFloor(p);
    drawWheel(p, QRectF(88, 234, 26, 12));
    drawFlank(p, body);
    drawTopShell(p, body);
    drawSkirt(p, body);
    drawThumbCluster(p);
    drawEmblem(p, QPointF(214, 276), 26, 0.8);
    drawLeaderLine(p, QPointF(64, 264), 0);
    drawLeaderLine(p, QPointF(134, 232), 1);
    drawLeaderLine(p, QPointF(101, 240), 2);
    for (int i = 0; i < 4; ++i) drawLeaderLine(p, kThumbButtons[i].center(), 3 + i);
}

}  // namespace voltrane::skinpaint

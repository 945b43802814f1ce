#include <QLinearGradient>
#include <QRadialGradient>

#include "tools/skin_painter/emblem.h"
#include "tools/skin_painter/mouse_parts.h"
#include "tools/skin_painter/mouse_pictures.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
constexpr qreal kCentre = 140;  // the mouse's axis
constexpr qreal kCrease = 262;  // where the main buttons end and the palm begins

// The outline seen from above, front at the top.
QPainterPath bodyOutline() {
    QPainterPath path(QPointF(kCentre, 138));
    path.cubicTo(174, 138, 194, 160, 196, 205);
    path.cubicTo(198, 250, 192, 285, 198, 325);
    path.cubicTo(206, 378, 214, 428, 182, 450);
    path.cubicTo(162, 464, 118, 464, 98, 450);
    path.cubicTo(66, 428, 74, 378, 82, 325);
    path.cubicTo(88, 285, 82, 250, 84, 205);
    path.cubicTo(86, 160, 106, 138, kCentre, 138);
    return path;
}

// The left (side -1) or right (side 1) main button: the body's front up to the crease, one half.
QPainterPath mainButton(qreal side) {
    QPainterPath half;
    const qreal inner = kCentre + side * 2;
    half.moveTo(inner, 120);
    half.lineTo(inner, kCrease - 4);
    half.quadTo(kCentre + side * 40, kCrease + 4, kCentre + side * 80, kCrease - 8);
    half.lineTo(kCentre + side * 80, 120);
    half.closeSubpath();
    return bodyOutline().intersected(half);
}

void drawBody(QPainter& p, const QPainterPath& body) {
    const QColor rim(0x0b, 0x0e, 0x12);
    drawShell(p, body,
              ramp(QPointF(70, 0), QPointF(212, 0),
                   {{0, rim},
                    {0.3, QColor(0x26, 0x2d, 0x37)},
                    {0.5, QColor(0x30, 0x38, 0x44)},
                    {0.7, QColor(0x24, 0x2b, 0x34)},
                    {1, rim}}),
              QPointF(122, 360));
}

void drawMainButtons(QPainter& p) {
    for (const qreal side : {-1.0, 1.0}) {
        QLinearGradient face(QPointF(kCentre + side * 70, 0), QPointF(kCentre, 0));
        face.setColorAt(0, QColor(0x12, 0x16, 0x1b));
        face.setColorAt(0.6, QColor(0x33, 0x3c, 0x48));
        face.setColorAt(1, QColor(0x27, 0x2e, 0x38));
        p.setPen(QPen(QColor(0x05, 0x07, 0x0a), 1.2));
        p.setBrush(face);
        p.drawPath(mainButton(side));
    }
    QRadialGradient shine(QPointF(118, 170), 40);
    shine.setColorAt(0, withAlpha(Qt::white, 46));
    shine.setColorAt(1, withAlpha(Qt::white, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(mainButton(-1));
    p.setBrush(Qt::NoBrush);
}

// Buttons 4 to 7 along the left flank, front to back.
void drawSideButtons(QPainter& p) {
    for (int i = 0; i < 4; ++i) {
        const qreal y = leaderHeight(3 + i);
        drawSmallButton(p, QRectF(77, y - 12, 13, 24));
    }
}

// Textured grips along both flanks, behind the main buttons.
void drawGrips(QPainter& p, const QPainterPath& body) {
    const QPainterPath band = roundedRect(QRectF(60, 286, 160, 146), 24);
    const QPainterPath grips = body.intersected(band).subtracted(roundedRect(QRectF(98, 270, 84, 190), 40));
    paintShape(p, grips, withAlpha(Qt::black, 90));
    p.save();
    p.setClipPath(grips);
    p.setPen(QPen(withAlpha(Qt::white, 16), 1));
    for (qreal y = 280; y < 470; y += 5) p.drawLine(QPointF(56, y), QPointF(224, y - 14));
    p.restore();
}

void drawPalm(QPainter& p) {
    drawEmblem(p, QPointF(kCentre, 378), 30, 0.85);
    QPainterPath rear;
    rear.moveTo(96, 436);
    rear.cubicTo(118, 452, 162, 452, 184, 436);
    drawLightStrip(p, rear);
}
}  // namespace

void drawMouseFromAbove(QPainter& p) {
    drawSoftShadow(p, QRectF(44, 130, 200, 350));
    const QPainterPath body = bodyOutline();
    drawBody(p, body);
    drawGrips(p, body);
    drawMainButtons(p);
    drawWheel(p, QRectF(kCentre - 7, 200, 14, 42));
    drawPalm(p);
    drawSideButtons(p);
    drawLeaderLine(p, QPointF(106, leaderHeight(0)), 0);
    drawLeaderLine(p, QPointF(174, leaderHeight(1)), 1);
    drawLeaderLine(p, QPointF(kCentre, leaderHeight(2)), 2);
    for (int item = 3; item <= 6; ++item) drawLeaderLine(p, QPointF(83.5, leaderHeight(item)), item);
}

}  // namespace voltrane::skinpaint

#include "tools/skin_painter/page_backgrounds.h"

#include <QPainterPath>

#include "tools/skin_painter/emblem.h"
#include "tools/skin_painter/main_frame.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
constexpr qreal kContentTop = 122;
constexpr qreal kContentBottom = 475;
constexpr qreal kPanelCut = 10;

QRectF contentColumn(qreal left, qreal right) {
    return QRectF(left, kContentTop, right - left, kContentBottom - kContentTop);
}

// The three lamps' indicators before their rows: dim red, amber and green lenses.
void drawLampLenses(QPainter& p) {
    const QColor lenses[] = {QColor(0xd0, 0x4a, 0x3c), QColor(0xd8, 0xa0, 0x2c), QColor(0x3c, 0xb8, 0x5a)};
    for (int i = 0; i < 3; ++i) {
        const QPointF c(492, 188 + 35 * i);
        p.setPen(QPen(kFaceEdge, 1));
        p.setBrush(kRecess);
        p.drawEllipse(c, 8, 8);
        drawGlowDot(p, c, 3.5, lenses[i]);
    }
}

// Rising bars before the report rates.
void drawRateBars(QPainter& p) {
    for (int i = 0; i < 4; ++i) {
        const qreal h = 5 + i * 3;
        p.fillRect(QRectF(449 + i * 6, 366 - h, 4, h), withAlpha(kAccentLight, 90 + i * 40));
    }
}

void drawSeparator(QPainter& p, qreal left, qreal y, qreal width) {
    drawFadingLine(p, QPointF(left, y + 0.5), width, kPanelEdge);
}

// A pointer arrow, the pointer-speed slider's sign.
void drawPointerGlyph(QPainter& p, QPointF tip) {
    QPainterPath arrow(tip);
    arrow.lineTo(tip + QPointF(0, 14));
    arrow.lineTo(tip + QPointF(3.5, 10.5));
    arrow.lineTo(tip + QPointF(6.5, 16));
    arrow.lineTo(tip + QPointF(8.5, 15));
    arrow.lineTo(tip + QPointF(5.8, 9.6));
    arrow.lineTo(tip + QPointF(10, 9.6));
    arrow.closeSubpath();
    p.setPen(QPen(kAccentLight, 1));
    p.setBrush(QColor(0x2a, 0x33, 0x3f));
    p.drawPath(arrow);
    p.setBrush(Qt::NoBrush);
}

// Two rings around a dot, the double-click slider's sign.
void drawDoubleClickGlyph(QPainter& p, QPointF c) {
    drawGlowDot(p, c, 2, kAccentLight);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(kAccentLight, 200), 1));
    p.drawEllipse(c, 5, 5);
    p.setPen(QPen(withAlpha(kAccentLight, 110), 1));
    p.drawEllipse(c, 8.5, 8.5);
}
}  // namespace

void drawBasicPanels(QPainter& p) {
    drawPanel(p, contentColumn(13, 425), kPanelCut);
    drawPanel(p, QRectF(435, 86, 352, 204), kPanelCut);
    drawPanel(p, QRectF(435, 294, 352, 96), kPanelCut);
    drawPanel(p, QRectF(435, 394, 352, kContentBottom - 394), kPanelCut);
    drawStripes(p, QRectF(20, 130, 250, 20), 7);
    drawLampLenses(p);
    drawRateBars(p);
}

void drawAdvancedPanels(QPainter& p) {
    drawPanel(p, contentColumn(13, 343), kPanelCut);
    drawSeparator(p, 23, 248, 310);
    drawSeparator(p, 23, 355, 310);
    drawPointerGlyph(p, QPointF(46, 198));
    drawDoubleClickGlyph(p, QPointF(52, 424));
    drawPanel(p, contentColumn(401, 787), kPanelCut);
    drawSeparator(p, 411, 190, 366);
    drawEmblem(p, QPointF(440, 162), 26, 0.55);
}

void drawColourPanels(QPainter& p) {
    drawEmblem(p, QPointF(120, 300), 150, 0.08);
    drawPanel(p, contentColumn(236, 466), kPanelCut);
    drawPanel(p, contentColumn(476, 787), kPanelCut);
}

}  // namespace voltrane::skinpaint

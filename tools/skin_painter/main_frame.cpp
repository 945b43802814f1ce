#include "tools/skin_painter/main_frame.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include "skin/item_rects.h"
#include "tools/skin_painter/canvas.h"
#include "tools/skin_painter/emblem.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
constexpr qreal kCornerCut = 16;
constexpr qreal kHeaderBottom = 66;
constexpr qreal kTabRail = 116;
constexpr qreal kFooterTop = 477;

const QRectF kWindow(0, 0, kMainWindowWidth, kMainWindowHeight);

void drawBase(QPainter& p) {
    QLinearGradient base(kWindow.topLeft(), kWindow.bottomLeft());
    base.setColorAt(0, kBaseTop);
    base.setColorAt(1, kBaseBottom);
    p.fillRect(kWindow, base);
    QRadialGradient bloom(QPointF(150, 0), 420);
    bloom.setColorAt(0, withAlpha(kAccent, 26));
    bloom.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(kWindow, bloom);
}

void drawHeader(QPainter& p) {
    const QRectF header(0, 0, kMainWindowWidth, kHeaderBottom);
    QLinearGradient shade(header.topLeft(), header.bottomLeft());
    shade.setColorAt(0, withAlpha(Qt::white, 10));
    shade.setColorAt(1, withAlpha(Qt::white, 0));
    p.fillRect(header, shade);
    drawStripes(p, QRectF(360, 8, 220, 50), 10);
    drawFadingLine(p, QPointF(0, kHeaderBottom + 0.5), kMainWindowWidth, kPanelEdge);
    drawEmblem(p, QPointF(46, 36), 42, 1.0);
    // Speed marks beside the emblem.
    for (int i = 0; i < 3; ++i) {
        const qreal y = 27 + i * 7;
        QLinearGradient bar(QPointF(78, y), QPointF(78 + 120 - i * 30, y));
        bar.setColorAt(0, withAlpha(kAccentLight, 200 - i * 50));
        bar.setColorAt(1, withAlpha(kAccentLight, 0));
        QPolygonF slant;
        slant << QPointF(80 + i * 4, y) << QPointF(200 - i * 26, y) << QPointF(196 - i * 26, y + 3)
              << QPointF(76 + i * 4, y + 3);
        p.setPen(Qt::NoPen);
        p.setBrush(bar);
        p.drawPolygon(slant);
    }
    p.setBrush(Qt::NoBrush);
}

// The slot the language combo box sits in, with a globe before it.
void drawLanguageSlot(QPainter& p) {
    const QRectF box = toRectF(kLanguageBoxRect);
    drawRecess(p, box.adjusted(-2, -2, 2, 2), 4);
    const QPointF c(box.left() - 14, box.center().y());
    p.setPen(QPen(QColor(0x7c, 0x8a, 0x9c), 1.1));
    p.drawEllipse(c, 6.5, 6.5);
    p.drawEllipse(c, 2.8, 6.5);
    p.drawLine(c + QPointF(-6.5, 0), c + QPointF(6.5, 0));
}

void drawTabRail(QPainter& p) {
    p.fillRect(QRectF(13, kTabRail, kMainWindowWidth - 26, 1), kPanelEdge);
    drawFadingLine(p, QPointF(13, kTabRail + 1.5), 420, withAlpha(kAccent, 120));
}

void drawFooter(QPainter& p) {
    drawFadingLine(p, QPointF(13, kFooterTop + 0.5), kMainWindowWidth - 26, kPanelEdge);
    drawPanel(p, QRectF(13, kFooterTop + 2, 374, 112), 8);
    drawStripes(p, QRectF(400, kFooterTop + 10, 380, 40), 8);
    drawPanel(p, QRectF(518, 535, 272, 47), 8);
}

void drawOutline(QPainter& p) {
    const QPainterPath shape = mainWindowShape();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPanelEdge, 2));
    p.drawPath(shape);
    QLinearGradient top(QPointF(0, 0), QPointF(kMainWindowWidth, 0));
    top.setColorAt(0, withAlpha(kAccent, 0));
    top.setColorAt(0.3, kAccent);
    top.setColorAt(0.7, kAccent);
    top.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(QRectF(kCornerCut, 0, kMainWindowWidth - 2 * kCornerCut, 2), top);
}
}  // namespace

QPainterPath mainWindowShape() { return chamferedRect(kWindow, kCornerCut); }

void drawStripes(QPainter& p, const QRectF& r, int alpha) {
    p.save();
    p.setClipRect(r);
    p.setPen(QPen(withAlpha(Qt::white, alpha), 1));
    for (qreal x = r.left() - r.height(); x < r.right(); x += 7) {
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    }
    p.restore();
}

void drawMainFrame(QPainter& p) {
    drawBase(p);
    drawHeader(p);
    drawLanguageSlot(p);
    drawTabRail(p);
    drawFooter(p);
    drawOutline(p);
}

}  // namespace voltrane::skinpaint

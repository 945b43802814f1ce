#include "tools/skin_painter/dialog_frame.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include "tools/skin_painter/emblem.h"
#include "tools/skin_painter/main_frame.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
constexpr qreal kDialogCut = 12;

void drawHeaderBand(QPainter& p, QSizeF size, qreal headerHeight) {
    const QRectF header(0, 0, size.width(), headerHeight);
    QLinearGradient shade(header.topLeft(), header.bottomLeft());
    shade.setColorAt(0, withAlpha(Qt::white, 12));
    shade.setColorAt(1, withAlpha(Qt::white, 0));
    p.fillRect(header, shade);
    drawStripes(p, QRectF(size.width() - 200, 10, 150, headerHeight - 20), 9);
    drawFadingLine(p, QPointF(0, headerHeight + 0.5), size.width(), kPanelEdge);
    drawEmblem(p, QPointF(34, headerHeight / 2), 32, 1.0);
    for (int i = 0; i < 2; ++i) {
        const qreal y = headerHeight / 2 - 5 + i * 7;
        QLinearGradient bar(QPointF(60, y), QPointF(150 - i * 30, y));
        bar.setColorAt(0, withAlpha(kAccentLight, 180 - i * 60));
        bar.setColorAt(1, withAlpha(kAccentLight, 0));
        p.fillRect(QRectF(60 + i * 4, y, 90 - i * 30, 3), bar);
    }
}
}  // namespace

QPainterPath dialogShape(QSizeF size) { return chamferedRect(QRectF(QPointF(0, 0), size), kDialogCut); }

void drawDialogFrame(QPainter& p, QSizeF size, qreal headerHeight, qreal footerTop) {
    const QRectF all(QPointF(0, 0), size);
    QLinearGradient base(all.topLeft(), all.bottomLeft());
    base.setColorAt(0, kBaseTop);
    base.setColorAt(1, kBaseBottom);
    p.fillRect(all, base);
    QRadialGradient bloom(QPointF(size.width() * 0.2, 0), size.width() * 0.6);
    bloom.setColorAt(0, withAlpha(kAccent, 24));
    bloom.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(all, bloom);
    drawHeaderBand(p, size, headerHeight);
    drawFadingLine(p, QPointF(10, footerTop + 0.5), size.width() - 20, kPanelEdge);
    p.setPen(QPen(kPanelEdge, 2));
    p.drawPath(dialogShape(size));
    QLinearGradient top(all.topLeft(), all.topRight());
    top.setColorAt(0, withAlpha(kAccent, 0));
    top.setColorAt(0.5, kAccent);
    top.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(QRectF(kDialogCut, 0, size.width() - 2 * kDialogCut, 2), top);
}

void drawDialogButton(QPainter& p, const QRectF& r, State state) {
    if (state != State::Normal) return drawFace(p, r, 4, state);
    p.setPen(QPen(withAlpha(kAccent, 150), 1));
    p.setBrush(QColor(0x0c, 0x10, 0x16));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setBrush(Qt::NoBrush);
    drawFadingLine(p, QPointF(r.left() + 4, r.top() + 1.5), r.width() - 8, withAlpha(kAccentLight, 60));
}

}  // namespace voltrane::skinpaint

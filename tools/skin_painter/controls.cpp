#include "tools/skin_painter/controls.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
// The row highlight behind radio and check rows: a lighter panel when hot, a faint tint when on.
void drawRowTint(QPainter& p, const QRectF& r, State state) {
    if (state == State::Normal) return;
    const bool hot = state == State::Hot;
    QLinearGradient fill(r.topLeft(), r.topRight());
    fill.setColorAt(0, withAlpha(kAccentLight, hot ? 60 : 34));
    fill.setColorAt(1, withAlpha(kAccentLight, hot ? 14 : 6));
    p.setPen(QPen(withAlpha(kAccentLight, hot ? 110 : 0), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setBrush(Qt::NoBrush);
}
}  // namespace

void drawPushButton(QPainter& p, const QRectF& r, State state) { drawFace(p, r, 4, state); }

void drawTab(QPainter& p, const QRectF& r, State state) {
    QPainterPath shape;
    const QRectF e = r.adjusted(0.5, 0.5, -0.5, 0);
    shape.moveTo(e.bottomLeft());
    shape.lineTo(e.left(), e.top() + 4);
    shape.quadTo(e.topLeft(), QPointF(e.left() + 4, e.top()));
    shape.lineTo(e.right() - 14, e.top());
    shape.lineTo(e.right(), e.top() + 14);
    shape.lineTo(e.bottomRight());
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, state == State::On ? kLitTop : state == State::Hot ? kHoverTop : kFaceTop);
    fill.setColorAt(1, state == State::On ? kLitBottom : state == State::Hot ? kHoverBottom : kPanelBottom);
    p.setPen(QPen(state == State::Normal ? kFaceEdge : kAccentLight, 1));
    p.setBrush(fill);
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
    if (state == State::Normal) return;
    drawInnerGlow(p, r, 0, withAlpha(kAccentLight, state == State::On ? 255 : 150), 8);
    const qreal base = state == State::On ? 3 : 2;
    QLinearGradient bar(r.topLeft(), r.topRight());
    bar.setColorAt(0, withAlpha(kAccentLight, 60));
    bar.setColorAt(0.5, state == State::On ? QColor(0x9c, 0xcd, 0xff) : kAccentLight);
    bar.setColorAt(1, withAlpha(kAccentLight, 60));
    p.fillRect(QRectF(r.left(), r.bottom() - base, r.width(), base), bar);
}

void drawRadioRow(QPainter& p, const QRectF& r, State state, bool bare) {
    if (!bare) drawRowTint(p, r, state);
    const qreal d = 12;
    const QPointF c(r.left() + (bare ? r.width() / 2 : 2 + d / 2), r.center().y());
    QRadialGradient well(c - QPointF(0, 2), d);
    well.setColorAt(0, QColor(0x0e, 0x12, 0x18));
    well.setColorAt(1, QColor(0x1c, 0x23, 0x2c));
    p.setPen(QPen(state == State::Normal ? kMuted : kAccentLight, 1.2));
    p.setBrush(well);
    p.drawEllipse(c, d / 2 - 0.6, d / 2 - 0.6);
    p.setBrush(Qt::NoBrush);
    if (state == State::On) drawGlowDot(p, c, 3, kAccent);
    if (state == State::Hot) drawGlowDot(p, c, 2, withAlpha(kAccentLight, 120));
}

void drawCheckBox(QPainter& p, QPointF at, qreal size, State state) {
    const QRectF box(at, QSizeF(size, size));
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, state == State::On ? kAccentLight : QColor(0x0e, 0x12, 0x18));
    fill.setColorAt(1, state == State::On ? kAccentDeep : QColor(0x1c, 0x23, 0x2c));
    p.setPen(QPen(state == State::Normal ? kMuted : kAccentLight, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(box.adjusted(0.6, 0.6, -0.6, -0.6), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
    if (state == State::Hot) drawInnerGlow(p, box, 2.5, kAccentLight, 3);
    if (state != State::On) return;
    QPainterPath tick;
    tick.moveTo(box.left() + size * 0.24, box.top() + size * 0.52);
    tick.lineTo(box.left() + size * 0.43, box.top() + size * 0.72);
    tick.lineTo(box.left() + size * 0.78, box.top() + size * 0.3);
    p.setPen(QPen(Qt::white, size / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void drawCheckRow(QPainter& p, const QRectF& r, State state) {
    drawRowTint(p, r, state);
    const qreal size = 12;
    drawCheckBox(p, QPointF(r.left() + 2, r.center().y() - size / 2), size, state);
}

void drawSegment(QPainter& p, const QRectF& r, State state) {
    drawFace(p, r.adjusted(1, 0, -1, 0), 3, state);
}

void drawStepper(QPainter& p, const QRectF& r, bool up, State state) {
    const QRectF e = r.adjusted(0.5, up ? 0.5 : 0, -0.5, up ? 0 : -0.5);
    QPainterPath shape;
    shape.addRoundedRect(e, 2.5, 2.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, state == State::Normal ? kFaceTop : kHoverTop);
    fill.setColorAt(1, state == State::Normal ? kFaceBottom : kHoverBottom);
    p.setPen(QPen(state == State::Normal ? kFaceEdge : kAccentLight, 1));
    p.setBrush(fill);
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
    drawArrowHead(p, r.center(), 7, up, state == State::Normal ? QColor(0x9a, 0xa6, 0xb4) : Qt::white);
}

void drawArrowHead(QPainter& p, QPointF centre, qreal width, bool up, const QColor& colour) {
    const qreal h = width / 2;
    const qreal dir = up ? -1 : 1;
    QPainterPath arrow;
    arrow.moveTo(centre.x() - width / 2, centre.y() - dir * h / 2);
    arrow.lineTo(centre.x() + width / 2, centre.y() - dir * h / 2);
    arrow.lineTo(centre.x(), centre.y() + dir * h / 2);
    arrow.closeSubpath();
    p.fillPath(arrow, colour);
}

void drawNumberBox(QPainter& p, const QRectF& r, State state) {
    drawRecess(p, r, 3);
    if (state == State::Normal) return;
    const bool on = state == State::On;
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, withAlpha(kAccent, on ? 90 : 50));
    fill.setColorAt(1, withAlpha(kAccentDeep, on ? 40 : 20));
    p.setPen(QPen(on ? kAccentLight : withAlpha(kAccentLight, 160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setBrush(Qt::NoBrush);
    drawInnerGlow(p, r, 3, kAccentLight, 4);
}

void drawHeading(QPainter& p, const QRectF& r, State state) {
    const QColor accent = state == State::Normal ? kAccentDeep : kAccentLight;
    QLinearGradient band(r.topLeft(), r.topRight());
    band.setColorAt(0, withAlpha(accent, state == State::Normal ? 46 : 90));
    band.setColorAt(0.6, withAlpha(accent, state == State::Normal ? 14 : 40));
    band.setColorAt(1, withAlpha(accent, 0));
    p.fillRect(r, band);
    p.fillRect(QRectF(r.left(), r.top() + 2, 3, r.height() - 4), accent);
    QLinearGradient under(r.bottomLeft(), r.bottomRight());
    under.setColorAt(0, accent);
    under.setColorAt(1, withAlpha(accent, 0));
    p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), under);
    if (state == State::On) drawInnerGlow(p, r, 0, kAccentLight, 3);
}

void drawLabel(QPainter& p, const QRectF& r, State state) {
    if (state == State::Normal) return;
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kAccentLight, state == State::Hot ? 34 : 24));
    p.drawRoundedRect(r, 3, 3);
    p.setBrush(Qt::NoBrush);
    if (state == State::On) p.fillRect(QRectF(r.left() + 3, r.bottom() - 1.5, r.width() - 6, 1.5), kAccent);
}

void drawSliderTrack(QPainter& p, const QRectF& r, int thumbOffset, int step, int maxValue, State state) {
    const qreal first = r.left() + thumbOffset + 4;
    const qreal last = first + step * maxValue;
    const QRectF groove(first - 6, r.center().y() - 3, last - first + 12, 6);
    drawRecess(p, groove, 3);
    const bool lit = state != State::Normal;
    QLinearGradient energy(groove.topLeft(), groove.topRight());
    energy.setColorAt(0, withAlpha(kAccent, lit ? 200 : 110));
    energy.setColorAt(1, withAlpha(kAccentDeep, lit ? 90 : 25));
    p.setPen(Qt::NoPen);
    p.setBrush(energy);
    p.drawRoundedRect(groove.adjusted(1.5, 1.5, -1.5, -1.5), 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
    const QColor tick = lit ? kAccentLight : QColor(0x3c, 0x48, 0x58);
    for (int v = 0; v <= maxValue; ++v) {
        const qreal x = first + step * v;
        p.fillRect(QRectF(x - 0.5, r.top() + 1, 1, 3), tick);
        p.fillRect(QRectF(x - 0.5, r.bottom() - 4, 1, 3), tick);
    }
    if (lit) drawInnerGlow(p, r, 3, withAlpha(kAccentLight, 120), 3);
}

void drawButtonSlot(QPainter& p, const QRectF& r, bool hasMenu, State state) {
    const bool lit = state != State::Normal;
    if (lit) {
        QLinearGradient fill(r.topLeft(), r.topRight());
        fill.setColorAt(0, withAlpha(kAccentLight, 70));
        fill.setColorAt(1, withAlpha(kAccentLight, 12));
        p.fillRect(r.adjusted(0, 0, 0, -3), fill);
    }
    const qreal y = r.bottom() - 2.5;
    QLinearGradient line(r.topLeft(), r.topRight());
    line.setColorAt(0, lit ? QColor(0x9c, 0xcd, 0xff) : kAccentDeep);
    line.setColorAt(1, lit ? kAccentLight : kFaceEdge);
    p.setPen(QPen(QBrush(line), lit ? 2 : 1));
    p.drawLine(QPointF(r.left(), y), QPointF(r.right() - 1, y));
    if (hasMenu) {
        drawArrowHead(p, QPointF(r.right() - 8, r.center().y() - 1), 7, false,
                      lit ? Qt::white : QColor(0x6c, 0x7c, 0x90));
    }
}

void drawWindowButton(QPainter& p, const QRectF& r, bool close, State state) {
    if (state != State::Normal) drawFace(p, r, 4, state);
    const QColor ink = state == State::Normal ? QColor(0x9a, 0xa6, 0xb4) : Qt::white;
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.center();
    if (close) {
        p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
        p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
    } else {
        p.drawLine(c + QPointF(-5, 3), c + QPointF(5, 3));
    }
}

void drawWell(QPainter& p, const QRectF& r, State state) {
    drawRecess(p, r, 3);
    if (state == State::Normal) return;
    p.setPen(QPen(state == State::On ? kAccentLight : withAlpha(kAccentLight, 170), 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    drawInnerGlow(p, r, 3, withAlpha(kAccentLight, 150), 5);
}

}  // namespace voltrane::skinpaint

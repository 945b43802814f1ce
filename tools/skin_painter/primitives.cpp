#include "tools/skin_painter/primitives.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include "tools/skin_painter/palette.h"

namespace voltrane::skinpaint {

void paintShape(QPainter& p, const QPainterPath& shape, const QBrush& brush, const QPen& pen) {
    p.setPen(pen);
    p.setBrush(brush);
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
}

QPainterPath roundedRect(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QLinearGradient ramp(QPointF from, QPointF to, std::initializer_list<std::pair<qreal, QColor>> stops) {
    QLinearGradient gradient(from, to);
    for (const auto& [at, colour] : stops) gradient.setColorAt(at, colour);
    return gradient;
}

QRadialGradient fadingSpot(QPointF centre, qreal radius, const QColor& colour, int alpha) {
    QRadialGradient spot(centre, radius);
    spot.setColorAt(0, withAlpha(colour, alpha));
    spot.setColorAt(1, withAlpha(colour, 0));
    return spot;
}

QPainterPath chamferedRect(const QRectF& r, qreal cut) {
    QPainterPath path;
    path.moveTo(r.left() + cut, r.top());
    path.lineTo(r.right() - cut, r.top());
    path.lineTo(r.right(), r.top() + cut);
    path.lineTo(r.right(), r.bottom() - cut);
    path.lineTo(r.right() - cut, r.bottom());
    path.lineTo(r.left() + cut, r.bottom());
    path.lineTo(r.left(), r.bottom() - cut);
    path.lineTo(r.left(), r.top() + cut);
    path.closeSubpath();
    return path;
}

void drawPanel(QPainter& p, const QRectF& r, qreal cut) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, kPanelTop);
    fill.setColorAt(1, kPanelBottom);
    const QRectF edge = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(fill);
    p.drawPath(chamferedRect(edge, cut));
    drawFadingLine(p, QPointF(r.left() + cut, r.top() + 1.5), r.width() - 2 * cut,
                   withAlpha(Qt::white, 22));
    p.setBrush(Qt::NoBrush);
}

void drawRecess(QPainter& p, const QRectF& r, qreal radius) {
    const QRectF edge = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, kRecess);
    fill.setColorAt(1, QColor(0x0d, 0x11, 0x17));
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(edge, radius, radius);
    p.setPen(QPen(withAlpha(Qt::black, 150), 1));
    p.drawLine(QPointF(edge.left() + radius, edge.top() + 1),
               QPointF(edge.right() - radius, edge.top() + 1));
    p.setBrush(Qt::NoBrush);
}

namespace {
struct FaceColours {
    QColor top, bottom, edge, shine;
};

FaceColours faceColours(State state) {
    switch (state) {
        case State::On:
            return {kLitTop, kLitBottom, kAccentLight, withAlpha(Qt::white, 70)};
        case State::Hot:
            return {kHoverTop, kHoverBottom, kAccent, withAlpha(Qt::white, 40)};
        case State::Normal:
            break;
    }
    return {kFaceTop, kFaceBottom, kFaceEdge, withAlpha(Qt::white, 26)};
}
}  // namespace

void drawFace(QPainter& p, const QRectF& r, qreal radius, State state) {
    const FaceColours c = faceColours(state);
    const QRectF edge = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, c.top);
    fill.setColorAt(1, c.bottom);
    p.setPen(QPen(c.edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(edge, radius, radius);
    p.setBrush(Qt::NoBrush);
    if (state != State::Normal) drawInnerGlow(p, r, radius, c.edge, std::min(r.height() / 2, 6.0));
    drawFadingLine(p, QPointF(r.left() + radius, r.top() + 1.5), r.width() - 2 * radius, c.shine);
}

void drawInnerGlow(QPainter& p, const QRectF& r, qreal radius, const QColor& colour, qreal depth) {
    p.save();
    p.setClipRect(r);
    p.setBrush(Qt::NoBrush);
    const int steps = 6;
    for (int i = 1; i <= steps; ++i) {
        const qreal inset = 0.5 + depth * i / steps;
        p.setPen(QPen(withAlpha(colour, 70 * (steps - i + 1) / steps / 2), depth / steps + 0.5));
        p.drawRoundedRect(r.adjusted(inset, inset, -inset, -inset), radius, radius);
    }
    p.restore();
}

void drawGlowDot(QPainter& p, QPointF centre, qreal radius, const QColor& colour) {
    QRadialGradient halo(centre, radius * 3);
    halo.setColorAt(0, withAlpha(colour, 140));
    halo.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, radius * 3, radius * 3);
    QRadialGradient core(centre - QPointF(radius / 3, radius / 3), radius);
    core.setColorAt(0, colour.lighter(170));
    core.setColorAt(1, colour);
    p.setBrush(core);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
}

void drawFadingLine(QPainter& p, QPointF from, qreal length, const QColor& colour) {
    QLinearGradient fade(from, from + QPointF(length, 0));
    fade.setColorAt(0, withAlpha(colour, 0));
    fade.setColorAt(0.5, colour);
    fade.setColorAt(1, withAlpha(colour, 0));
    p.setPen(QPen(QBrush(fade), 1));
    p.drawLine(from, from + QPointF(length, 0));
}

}  // namespace voltrane::skinpaint

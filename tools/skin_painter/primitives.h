#pragma once
// Surfaces every skin is built from: panels, recesses, control faces and soft glows.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <initializer_list>
#include <utility>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// Fills `shape` with `brush` and outlines it with `pen`; the painter's brush is left empty.
void paintShape(QPainter& p, const QPainterPath& shape, const QBrush& brush, const QPen& pen = Qt::NoPen);

// A rounded rectangle as a path.
QPainterPath roundedRect(const QRectF& r, qreal radius);

// A linear gradient from `from` to `to` through `stops` (position 0..1, colour).
QLinearGradient ramp(QPointF from, QPointF to, std::initializer_list<std::pair<qreal, QColor>> stops);

// A radial gradient around `centre` fading from `colour` at `alpha` to nothing at `radius`.
QRadialGradient fadingSpot(QPointF centre, qreal radius, const QColor& colour, int alpha);

// A rectangle with its corners cut at 45 degrees by `cut` pixels.
QPainterPath chamferedRect(const QRectF& r, qreal cut);

// A raised panel: a soft vertical gradient, a thin edge and a faint top highlight.
void drawPanel(QPainter& p, const QRectF& r, qreal cut);

// A sunken well for lists, text and numbers.
void drawRecess(QPainter& p, const QRectF& r, qreal radius);

// The face of a push control in `state`, filling `r` with rounded corners.
void drawFace(QPainter& p, const QRectF& r, qreal radius, State state);

// A soft glow of `colour` inside `r`, strongest at its edge and fading inwards over `depth` pixels.
void drawInnerGlow(QPainter& p, const QRectF& r, qreal radius, const QColor& colour, qreal depth);

// A glowing dot: a bright core and a halo.
void drawGlowDot(QPainter& p, QPointF centre, qreal radius, const QColor& colour);

// A horizontal hairline fading out towards both ends.
void drawFadingLine(QPainter& p, QPointF from, qreal length, const QColor& colour);

}  // namespace voltrane::skinpaint

#pragma once
// Parts both mouse pictures are built from, and the leader lines from a mouse button to its item.

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

namespace voltrane::skinpaint {

// The mouse's shell: `body` filled with `fill`, a dark seam around it and a soft sheen at `sheen`.
void drawShell(QPainter& p, const QPainterPath& body, const QGradient& fill, QPointF sheen);

// The mouse's shell: `body` filled with `fill`, a dark seam around it and a soft sheen at `sheen`.
void drawShell(QPainter& p, const QPainterPath& body, const QGradient& fill, QPointF sheen);

// A soft shadow under the mouse, an ellipse fading out from `r`'s centre.
void drawSoftShadow(QPainter& p, const QRectF& r);

// A small button with a rounded face and a bright upper rim.
void drawSmallButton(QPainter& p, const QRectF& r);

// The scroll wheel in its lit slot; `ribs` run across the wheel's longer side.
void drawWheel(QPainter& p, const QRectF& r);

// A glowing strip of light along `path`.
void drawLightStrip(QPainter& p, const QPainterPath& path);

// A leader line from `start` on the picture to the underline of button item `item` (0..6): a 45-degree
// run to the underline's height, then straight along it; a glowing dot marks the start.
void drawLeaderLine(QPainter& p, QPointF start, int item);

// The height of the underline of button item `item`, where its leader line arrives.
qreal leaderHeight(int item);

}  // namespace voltrane::skinpaint

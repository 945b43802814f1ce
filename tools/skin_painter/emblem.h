#pragma once
// The program's emblem: two blades forming a V inside a hexagon, drawn in the accent colours.

#include <QPainter>
#include <QPointF>

namespace voltrane::skinpaint {

// The emblem centred on `centre`, `size` pixels high; `opacity` 0..1 dims it for watermarks.
void drawEmblem(QPainter& p, QPointF centre, qreal size, qreal opacity);

}  // namespace voltrane::skinpaint

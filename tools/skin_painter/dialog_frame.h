#pragma once
// What the skinned dialogs share: outline, base, header with emblem, footer rail and button faces.

#include <QPainter>
#include <QPainterPath>
#include <QSizeF>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// A dialog's outline, corners cut at 45 degrees.
QPainterPath dialogShape(QSizeF size);

// The base of a dialog of `size`: background, header band of `headerHeight` with the emblem, a rail
// above the footer at `footerTop`, and the outline.
void drawDialogFrame(QPainter& p, QSizeF size, qreal headerHeight, qreal footerTop);

// An OK or Cancel face of a dialog; at rest it is dark, so that its blue caption stays readable.
void drawDialogButton(QPainter& p, const QRectF& r, State state);

}  // namespace voltrane::skinpaint

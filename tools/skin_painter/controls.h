#pragma once
// The controls of the skinned windows, each drawn inside its rectangle in one state. Captions are
// not part of the pictures; the window draws them over these faces.

#include <QPainter>
#include <QRectF>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// A push button: raised face at rest, lit blue when on, a soft blue glow when hot.
void drawPushButton(QPainter& p, const QRectF& r, State state);

// A page tab with a cut top-right corner; the on tab glows with a bright base line.
void drawTab(QPainter& p, const QRectF& r, State state);

// A row with a radio dot at its left; `bare` when the rectangle is the dot alone.
void drawRadioRow(QPainter& p, const QRectF& r, State state, bool bare);

// A row with a check box at its left.
void drawCheckRow(QPainter& p, const QRectF& r, State state);

// A check box of `size` pixels with its top-left corner at `at`.
void drawCheckBox(QPainter& p, QPointF at, qreal size, State state);

// One choice of a segmented group (report rates, profiles): a compact face.
void drawSegment(QPainter& p, const QRectF& r, State state);

// Half of an up / down stepper pair, with its arrow.
void drawStepper(QPainter& p, const QRectF& r, bool up, State state);

// A small sunken display for a number; lit while its value is not 0.
void drawNumberBox(QPainter& p, const QRectF& r, State state);

// A section heading plate.
void drawHeading(QPainter& p, const QRectF& r, State state);

// A plain caption area: nothing at rest, a faint tint when on or hot.
void drawLabel(QPainter& p, const QRectF& r, State state);

// A slider track with a tick at each of the values 0..maxValue, whose thumb sits at
// left + thumbOffset + step * value.
void drawSliderTrack(QPainter& p, const QRectF& r, int thumbOffset, int step, int maxValue, State state);

// The function of a mouse button: an underline that continues the picture's leader line, with a
// menu chevron at its right end when `hasMenu`.
void drawButtonSlot(QPainter& p, const QRectF& r, bool hasMenu, State state);

// The window's hide (a bar) or close (a cross) button.
void drawWindowButton(QPainter& p, const QRectF& r, bool close, State state);

// A sunken box for text or a list; its edge lights up when on or hot.
void drawWell(QPainter& p, const QRectF& r, State state);

// An up or down arrowhead centred on `centre`, `width` pixels wide.
void drawArrowHead(QPainter& p, QPointF centre, qreal width, bool up, const QColor& colour);

}  // namespace voltrane::skinpaint

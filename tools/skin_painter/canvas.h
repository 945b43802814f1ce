#pragma once
// Pictures drawn in logical pixels at one or two device pixels per logical pixel.

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <functional>

#include "skin/skin_rect.h"

namespace voltrane::skinpaint {

// How an element looks: at rest, on (selected, checked, lit) or hot (under the cursor).
enum class State { Normal, On, Hot };

using Draw = std::function<void(QPainter&)>;

// A picture of `size` logical pixels, `scale` device pixels each, drawn by `draw` in logical
// coordinates with antialiasing.
QImage paintPicture(QSize size, int scale, const Draw& draw);

// A two-colour mask: the colour key outside `shape`, the inside colour within, no antialiasing,
// so every pixel is one of the two.
QImage paintMask(QSize size, int scale, const QPainterPath& shape);

inline QRectF toRectF(const SkinRect& r) { return QRectF(r.x, r.y, r.w, r.h); }

}  // namespace voltrane::skinpaint

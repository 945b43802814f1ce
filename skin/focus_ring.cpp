#include "skin/focus_ring.h"

#include <QPainter>

#include "skin/skin_colours.h"

namespace voltrane {

namespace {
constexpr int kInnerWidth = 2;
constexpr int kOuterWidth = 1;
constexpr int kGap = 1;  // between the control and the ring
constexpr int kReach = kGap + kInnerWidth + kOuterWidth;
}  // namespace

QRect FocusRingRect(const QRect& control) { return control.adjusted(-kReach, -kReach, kReach, kReach); }

void DrawFocusRing(QPainter& painter, const QRect& control) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect outer = FocusRingRect(control);
    // A one-pixel outline of (x, y, w - 1, h - 1) covers the edge pixels of (x, y, w, h).
    for (int band = 0; band < kOuterWidth + kInnerWidth; ++band) {
        painter.setPen(QPen(band < kOuterWidth ? kFocusRingOuter : kFocusRingInner, 1));
        painter.drawRect(outer.adjusted(band, band, -band - 1, -band - 1));
    }
    painter.restore();
}

}  // namespace voltrane

#pragma once
// What a shaped window shows of itself: its picture, opaque inside its outline and fully transparent
// outside it, whatever the platform does with the window's mask.

#include <QImage>
#include <QRegion>
#include <QWidget>

// True when every pixel of `window`'s picture inside its mask is opaque and every pixel outside it
// is fully transparent.
inline bool OpaqueOnlyInsideOutline(QWidget& window) {
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = window.mask();
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const int alpha = qAlpha(shot.pixel(x, y));
            if (alpha != (shape.contains(QPoint(x, y)) ? 255 : 0)) return false;
        }
    }
    return true;
}

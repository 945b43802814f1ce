#pragma once
// What every skinned window does alike: its outline cut from its mask image, its place in the middle
// of the screen, and a drag by its background. The outline is made by transparency, which shapes the
// window on every platform (a Wayland surface ignores a window mask): the window is translucent and
// paints only inside its mask, which stays its input region.

#include <QPoint>

class QImage;
class QPainter;
class QRegion;
class QWidget;

namespace voltrane {

// Sizes `window` to `mask` (device-independent pixels), makes it translucent, cuts its outline (pixels
// of the colour of the mask's pixel (0, 0) are outside) and centres it on its screen. Call it before
// the window is shown.
void ShapeAndCentre(QWidget& window, const QImage& mask);

// Restricts `painter` on `window` to `dirty` inside the window's outline, so that the pixels outside
// it stay fully transparent.
void ClipToOutline(QPainter& painter, const QWidget& window, const QRegion& dirty);

// A window dragged by a press on its background. Where the platform moves windows itself (on Wayland
// it is the only way) it takes the drag over; elsewhere the window follows the cursor until the
// button is released.
class WindowDrag {
public:
    // The left button went down at `point` (client pixels) outside every region of `window`. Returns
    // true when the platform took the drag over (and no release will end it here).
    bool Start(QWidget& window, QPoint point);

    // The cursor moved to `global` (screen pixels). Returns false, moving nothing, when no drag is on.
    bool Move(QWidget& window, QPoint global) const;

    // The left button went up. Returns true when this ended a drag: the release acts on nothing else.
    bool End();

private:
    bool m_bDragging = false;
    QPoint m_ptDragStart;
};

}  // namespace voltrane

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

// A window dragged by a press on its background, so that the point pressed stays under the cursor.
// Where the platform places windows, the drag is handed to it at the press, before any motion can be
// lost (a compositor takes a move only while the button is held, so a click alone moves nothing).
// Elsewhere the window follows the cursor itself to the release, with and without a window manager:
// the drag begins once the cursor has moved the drag distance with the button held, and every motion
// and the release place the window anew from the cursor, so no number of motion events leaves it short.
class WindowDrag {
public:
    // The left button went down at `point` (client pixels) outside every region of `window`.
    void Press(QWidget& window, QPoint point);

    // The cursor moved to `point` (client pixels), `global` (screen pixels), with `buttons` held.
    // Returns false, moving nothing, when no press is on (a press whose release was lost ends at the
    // first move without the left button).
    bool Move(QWidget& window, QPoint point, QPoint global, Qt::MouseButtons buttons);

    // The left button went up at `global` (screen pixels). Returns true when this ended a press on the
    // background: the release acts on nothing else.
    bool End(QWidget& window, QPoint global);

private:
    enum class State { Idle, Pressed, Following, Platform };
    State m_state = State::Idle;
    QPoint m_ptDragStart;
};

}  // namespace voltrane

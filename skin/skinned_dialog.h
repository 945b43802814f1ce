#pragma once
// The base of the skinned dialogs: a frameless modal window shaped by its mask image, painted from its
// skins with the mask's outline over them, and dragged by a press outside its regions.

#include <QDialog>
#include <QImage>

#include "skin/skinned_window.h"

class QPainter;

namespace voltrane {

class SkinnedDialog : public QDialog {
protected:
    // A dialog of the size and outline of `mask`, centred on the screen, that follows the cursor.
    SkinnedDialog(const QImage& mask, QWidget* parent);

    // Paints the part `dirty` (client pixels) of the dialog; the mask's outline is drawn over it after.
    virtual void paintSkin(QPainter& painter, const QRect& dirty) = 0;

    // The left button went down at `point`. Returns true when a region takes the press; otherwise the
    // press drags the window.
    virtual bool pressRegion(QPoint point) = 0;

    // The cursor moved to `point` while no drag is on.
    virtual void hover(QPoint point) = 0;

    // The left button went up at `point` without ending a drag.
    virtual void releaseRegion(QPoint point) = 0;

    void paintEvent(QPaintEvent* event) final;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_outline;
    WindowDrag m_drag;
};

// A dialog button: its rectangle `rect` copied from the `down` image and its text in white while it
// is under the cursor (`hot`), its text in blue on the background otherwise; the text centred.
void PaintDialogButton(QPainter& painter, const QImage& down, const QRect& rect, const QString& text,
                       bool hot);

}  // namespace voltrane

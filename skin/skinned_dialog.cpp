#include "skin/skinned_dialog.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "skin/fitted_text.h"
#include "skin/modal_dialog.h"
#include "skin/skin_colours.h"
#include "skin/skin_images.h"

namespace voltrane {

SkinnedDialog::SkinnedDialog(const QImage& mask, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_outline(MaskOutline(mask)) {
    setMouseTracking(true);
    ShapeAndCentre(*this, mask);
    PlaceOverParent(*this);
}

void SkinnedDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    ClipToOutline(painter, *this, event->rect());
    paintSkin(painter, event->rect());
    CopySkinRect(painter, m_outline, event->rect());
}

void SkinnedDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    if (!pressRegion(point)) m_drag.Press(*this, point);
}

void SkinnedDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!m_drag.Move(*this, point, event->globalPosition().toPoint(), event->buttons())) hover(point);
}

void SkinnedDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QDialog::mouseReleaseEvent(event);
    if (!m_drag.End(*this, event->globalPosition().toPoint())) releaseRegion(event->position().toPoint());
}

void PaintDialogButton(QPainter& painter, const QImage& down, const QRect& rect, const QString& text,
                       bool hot) {
    if (hot) CopySkinRect(painter, down, rect);
    painter.setPen(hot ? kWhiteText : kBlueText);
    DrawFittedText(painter, rect, text, Qt::AlignCenter);
}

}  // namespace voltrane

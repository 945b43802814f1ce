#include "skin/skinned_window.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace voltrane {

void ShapeAndCentre(QWidget& window, const QImage& mask) {
    const QSize size = mask.deviceIndependentSize().toSize();
    window.setFixedSize(size);
    window.setAttribute(Qt::WA_TranslucentBackground);
    const QImage logical = mask.devicePixelRatio() > 1.0 ? mask.scaled(size) : mask;
    window.setMask(
        QRegion(QBitmap::fromImage(logical.createMaskFromColor(logical.pixel(0, 0), Qt::MaskInColor))));
    const QRect desktop = window.screen()->geometry();
    window.move(desktop.x() + (desktop.width() - size.width()) / 2,
                desktop.y() + (desktop.height() - size.height()) / 2);
}

void ClipToOutline(QPainter& painter, const QWidget& window, const QRegion& dirty) {
    painter.setClipRegion(window.mask().isEmpty() ? dirty : dirty & window.mask());
}

bool WindowDrag::Start(QWidget& window, QPoint point) {
    if (window.windowHandle() && window.windowHandle()->startSystemMove()) return true;
    m_bDragging = true;
    m_ptDragStart = point;
    return false;
}

bool WindowDrag::Move(QWidget& window, QPoint global) const {
    if (!m_bDragging) return false;
    window.move(global - m_ptDragStart);
    return true;
}

bool WindowDrag::End() {
    const bool ended = m_bDragging;
    m_bDragging = false;
    return ended;
}

}  // namespace voltrane

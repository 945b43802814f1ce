#include "skin/skinned_window.h"

#include <QApplication>
#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <utility>

#include "skin/window_system.h"

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

void WindowDrag::Press(QWidget& window, QPoint point) {
    m_ptDragStart = point;
    const bool platform =
        CurrentWindowSystem() == WindowSystem::Wayland && window.windowHandle() && window.windowHandle()->startSystemMove();
    m_state = platform ? State::Platform : State::Pressed;
}

bool WindowDrag::Move(QWidget& window, QPoint point, QPoint global, Qt::MouseButtons buttons) {
    if (m_state == State::Idle) return false;
    if (!(buttons & Qt::LeftButton)) {
        m_state = State::Idle;
        return false;
    }
    if (m_state == State::Platform) return true;
    if (m_state == State::Pressed &&
        (point - m_ptDragStart).manhattanLength() < QApplication::startDragDistance())
        return true;
    m_state = State::Following;
    window.move(global - m_ptDragStart);
    return true;
}

bool WindowDrag::End(QWidget& window, QPoint global) {
    const State state = std::exchange(m_state, State::Idle);
    if (state == State::Following) window.move(global - m_ptDragStart);
    return state != State::Idle;
}

}  // namespace voltrane

// The main window's mouse: hit testing, tooltips, window drag, slider clicks and the wheel over the
// macro list.

#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "app/voltrane_dlg.h"
#include "skin/hit_test.h"
#include "skin/item_qrect.h"
#include "skin/main_painter.h"
#include "skin/my_combo_box.h"
#include "skin/skin_fonts.h"

namespace voltrane {

void CVoltraneDlg::hitTest(QPoint point) {
    const int hot = HitTest(point.x(), point.y(), m_main.m_nPage);
    m_main.Hover(hot, point.y() - kItemRects[kItemMacroList].y);
    if (hot != m_nLastHotItem) {
        updateItem(hot);
        updateItem(m_nLastHotItem);
        m_nLastHotItem = hot;
    }
}

bool CVoltraneDlg::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QDialog::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int item = HitTest(help->pos().x(), help->pos().y(), m_main.m_nPage);
    const MainWindowState state = paintState();
    QString tip = ItemToolTip(item, state, {SmallFont(state.language), LargeFont(state.language)});
    // The LEDs' rows are told apart by the colour of their dot: the tooltip names the LED.
    if (const int control = controlOfItem(item); tip.isEmpty() && control >= 0 && item > kItemButton7)
        tip = Control(control).description;
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this, ItemQRect(item));
    }
    return true;
}

// A press hides the keyboard's focus ring; the focus itself stays where it was until a click moves it.
void CVoltraneDlg::mousePressEvent(QMouseEvent* event) {
    if (m_bKeyboardFocus) {
        m_bKeyboardFocus = false;
        updateFocusRing();
    }
    if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
    hitTest(event->position().toPoint());
    if (m_main.m_nHotItem != kNoItem) return;
    m_drag.Press(*this, event->position().toPoint());
    m_main.TakeOverMacroName();
}

void CVoltraneDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!m_drag.Move(*this, point, event->globalPosition().toPoint(), event->buttons())) hitTest(point);
}

void CVoltraneDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QDialog::mouseReleaseEvent(event);
    if (m_drag.End(*this, event->globalPosition().toPoint()) || !Started()) return;
    hitTest(event->position().toPoint());
    const int item = m_main.m_nHotItem;
    if (const std::optional<SliderGeometry> slider = SliderOf(item))
        return m_main.ClickSlider(item, SliderValueAt(*slider, event->position().toPoint().x()));
    m_main.ActivateItem(item);
}

void CVoltraneDlg::wheelEvent(QWheelEvent* event) {
    if (!Started() || !m_main.ScrollMacroList(event->angleDelta().y())) QDialog::wheelEvent(event);
}

}  // namespace voltrane

// The main window's mouse and keyboard: hit testing, window drag, slider clicks, the wheel over the
// macro list and Space repeating the last activation.

#include <QHelpEvent>
#include <QKeyEvent>
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
    const QString tip = ItemToolTip(item, state, {SmallFont(state.language), LargeFont(state.language)});
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this, ItemQRect(item));
    }
    return true;
}

void CVoltraneDlg::mousePressEvent(QMouseEvent* event) {
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

// Esc does not end the program: only Close, Cancel, Exit and the loss of the mouse do.
void CVoltraneDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return event->accept();
    QDialog::keyPressEvent(event);
}

void CVoltraneDlg::keyReleaseEvent(QKeyEvent* event) {
    const bool typing = m_editMacroName->hasFocus() || m_comboLanguage->hasFocus();
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || typing || !Started())
        return QDialog::keyReleaseEvent(event);
    if (m_main.m_nFocusItem < kNoItem) m_main.ActivateItem(m_main.m_nFocusItem);
}

}  // namespace voltrane

#include "skin/my_combo_box.h"

#include <QAbstractItemView>
#include <QWheelEvent>

namespace voltrane {

CMyComboBox::CMyComboBox(QWidget* parent) : QComboBox(parent) {
    view()->viewport()->installEventFilter(this);
}

void CMyComboBox::wheelEvent(QWheelEvent* event) { event->accept(); }

bool CMyComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) return true;
    return QComboBox::eventFilter(watched, event);
}

}  // namespace voltrane

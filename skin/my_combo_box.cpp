#include "skin/my_combo_box.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QWheelEvent>

namespace voltrane {

namespace {

// The box with its name, its choice as value, its list as its one child, and "show menu" to open it.
class ComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(CMyComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == box()->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction()) return box()->showPopup();
        QAccessibleWidget::doAction(name);
    }

private:
    CMyComboBox* box() const { return static_cast<CMyComboBox*>(widget()); }
};

QAccessibleInterface* comboBoxFactory(const QString&, QObject* object) {
    auto* box = dynamic_cast<CMyComboBox*>(object);
    return box ? new ComboBoxAccessible(box) : nullptr;
}

}  // namespace

void InstallComboBoxAccessibility() {
    QAccessible::installFactory(comboBoxFactory);  // a factory installed already is not added again
}

CMyComboBox::CMyComboBox(QWidget* parent) : QComboBox(parent) {
    view()->viewport()->installEventFilter(this);
}

void CMyComboBox::wheelEvent(QWheelEvent* event) { event->accept(); }

bool CMyComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) return true;
    return QComboBox::eventFilter(watched, event);
}

}  // namespace voltrane

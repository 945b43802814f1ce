#include "skin/painted_controls.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

namespace voltrane {

namespace {

PaintedControls* controlsOf(QObject* object) { return dynamic_cast<PaintedControls*>(object); }

// One painted control: it reads the control afresh on every question, so it never goes stale.
class PaintedControlAccessible final : public QAccessibleInterface,
                                       public QAccessibleActionInterface,
                                       public QAccessibleValueInterface {
public:
    PaintedControlAccessible(QWidget* window, int index) : m_window(window), m_index(index) {}

    bool isValid() const override {
        const PaintedControls* controls = source();
        return controls && m_index < controls->ControlCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window ? m_window->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override {
        if (!isValid()) return nullptr;
        const int parentIndex = control().parent;
        return parentIndex < 0 ? QAccessible::queryAccessibleInterface(m_window.data())
                               : PaintedControlInterface(m_window, parentIndex);
    }
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const std::vector<int> rows = children();
        if (index < 0 || index >= static_cast<int>(rows.size())) return nullptr;
        return PaintedControlInterface(m_window, rows[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* painted = dynamic_cast<const PaintedControlAccessible*>(child);
        if (!painted) return -1;
        const std::vector<int> rows = children();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] == painted->m_index) return static_cast<int>(i);
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int row : children()) {
            QAccessibleInterface* child = PaintedControlInterface(m_window, row);
            if (child && !child->state().invisible && child->rect().contains(x, y)) return child;
        }
        return nullptr;
    }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const PaintedControl c = control();
        switch (t) {
            case QAccessible::Name:
                return c.name;
            case QAccessible::Description:
                return c.description;
            case QAccessible::Value:
                return c.value ? c.value->text : c.shownText;
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect local = control().rect;
        return {m_window->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override { return isValid() ? control().role : QAccessible::NoRole; }
    QAccessible::State state() const override {
        if (!isValid()) {
            QAccessible::State gone;
            gone.invalid = true;
            return gone;
        }
        QAccessible::State s = control().state;
        if (m_window->isHidden()) s.invisible = true;
        s.focused = s.focusable && source()->FocusedControl() == m_index && m_window->hasFocus();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::ValueInterface && isValid() && control().value)
            return static_cast<QAccessibleValueInterface*>(this);
        return nullptr;
    }

    // Actions: sliders and steppers step; everything else presses; button rows also open their menu.
    QStringList actionNames() const override {
        if (!isValid()) return {};
        const PaintedControl c = control();
        QStringList names;
        if (c.value) {
            names << increaseAction() << decreaseAction();
        } else if (c.role != QAccessible::StaticText) {
            names << pressAction();
        }
        if (c.hasMenu) names << showMenuAction();
        if (c.state.focusable) names << setFocusAction();
        return names;
    }
    void doAction(const QString& name) override {
        PaintedControls* controls = source();
        if (!controls || !isValid()) return;
        if (name == pressAction()) {
            controls->PressControl(m_index);
        } else if (name == showMenuAction()) {
            controls->ShowControlMenu(m_index);
        } else if (name == increaseAction()) {
            controls->StepControl(m_index, 1);
        } else if (name == decreaseAction()) {
            controls->StepControl(m_index, -1);
        } else if (name == setFocusAction()) {
            controls->FocusControl(m_index);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    QVariant currentValue() const override { return valueOf(&PaintedValue::current); }
    void setCurrentValue(const QVariant& value) override {
        if (PaintedControls* controls = source(); controls && isValid())
            controls->SetControlValue(m_index, value.toInt());
    }
    QVariant maximumValue() const override { return valueOf(&PaintedValue::maximum); }
    QVariant minimumValue() const override { return valueOf(&PaintedValue::minimum); }
    QVariant minimumStepSize() const override { return 1; }

    int Index() const { return m_index; }

private:
    PaintedControls* source() const { return m_window ? controlsOf(m_window.data()) : nullptr; }
    PaintedControl control() const { return source()->Control(m_index); }
    QVariant valueOf(int PaintedValue::*field) const {
        if (!isValid()) return {};
        const std::optional<PaintedValue> value = control().value;
        return value ? QVariant((*value).*field) : QVariant();
    }
    // The controls this one holds, in their order.
    std::vector<int> children() const {
        std::vector<int> rows;
        const PaintedControls* controls = source();
        if (!controls) return rows;
        for (int i = 0; i < controls->ControlCount(); ++i) {
            if (controls->Control(i).parent == m_index) rows.push_back(i);
        }
        return rows;
    }

    QPointer<QWidget> m_window;
    int m_index;
};

// A painted window: its child widgets first, then the painted controls that lie on it.
class PaintedWindowAccessible final : public QAccessibleWidget {
public:
    PaintedWindowAccessible(QWidget* window, PaintedControls& controls)
        : QAccessibleWidget(window,
                            qobject_cast<QDialog*>(window) ? QAccessible::Dialog : QAccessible::Window),
          m_controls(controls) {}
    ~PaintedWindowAccessible() override {
        for (QAccessible::Id id : std::as_const(m_ids)) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override {
        return QAccessibleWidget::childCount() + static_cast<int>(topControls().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets) return QAccessibleWidget::child(index);
        const std::vector<int> top = topControls();
        const auto at = static_cast<std::size_t>(index - widgets);
        return at < top.size() ? Control(top[at]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* painted = dynamic_cast<const PaintedControlAccessible*>(child);
        if (!painted) return QAccessibleWidget::indexOfChild(child);
        const std::vector<int> top = topControls();
        for (std::size_t i = 0; i < top.size(); ++i) {
            if (top[i] == painted->Index()) return QAccessibleWidget::childCount() + static_cast<int>(i);
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* real = QAccessibleWidget::childAt(x, y)) return real;
        for (int index : topControls()) {
            QAccessibleInterface* painted = Control(index);
            if (!painted->state().invisible && painted->rect().contains(x, y)) return painted;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const int focused = m_controls.FocusedControl();
        if (focused >= 0 && widget()->hasFocus()) return Control(focused);
        return QAccessibleWidget::focusChild();
    }

    // The object of control `index`, made on first use and kept while the window lives.
    QAccessibleInterface* Control(int index) const {
        if (index < 0 || index >= m_controls.ControlCount()) return nullptr;
        auto found = m_ids.constFind(index);
        if (found == m_ids.constEnd())
            found = m_ids.insert(index, QAccessible::registerAccessibleInterface(
                                            new PaintedControlAccessible(widget(), index)));
        return QAccessible::accessibleInterface(*found);
    }

private:
    std::vector<int> topControls() const {
        std::vector<int> top;
        for (int i = 0; i < m_controls.ControlCount(); ++i) {
            if (m_controls.Control(i).parent < 0) top.push_back(i);
        }
        return top;
    }

    PaintedControls& m_controls;
    mutable QHash<int, QAccessible::Id> m_ids;
};

QAccessibleInterface* paintedFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    PaintedControls* controls = controlsOf(object);
    return widget && controls ? new PaintedWindowAccessible(widget, *controls) : nullptr;
}

void announce(QWidget* window, int index, QAccessible::Event type) {
    if (QAccessibleInterface* control = PaintedControlInterface(window, index)) {
        QAccessibleEvent event(control, type);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace

PaintedControl MakePaintedControl(QAccessible::Role role, QString name, QRect rect, bool focusable) {
    PaintedControl control;
    control.role = role;
    control.name = std::move(name);
    control.rect = rect;
    control.state.focusable = focusable;
    control.state.selectable = role == QAccessible::ListItem;
    control.state.readOnly = role == QAccessible::EditableText || role == QAccessible::StaticText;
    return control;
}

void InstallPaintedAccessibility() {
    QAccessible::installFactory(paintedFactory);  // a factory installed already is not added again
}

QAccessibleInterface* PaintedControlInterface(QWidget* window, int index) {
    auto* painted = dynamic_cast<PaintedWindowAccessible*>(QAccessible::queryAccessibleInterface(window));
    return painted ? painted->Control(index) : nullptr;
}

void AnnounceFocus(QWidget* window, int index) {
    if (QAccessible::isActive()) announce(window, index, QAccessible::Focus);
}

void AnnounceState(QWidget* window, int index, QAccessible::State changed) {
    if (!QAccessible::isActive()) return;
    if (QAccessibleInterface* control = PaintedControlInterface(window, index)) {
        QAccessibleStateChangeEvent event(control, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void AnnounceValue(QWidget* window, int index) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* control = PaintedControlInterface(window, index);
    if (QAccessibleValueInterface* value = control ? control->valueInterface() : nullptr) {
        QAccessibleValueChangeEvent event(control, value->currentValue());
        QAccessible::updateAccessibility(&event);
    }
}

void AnnounceNameChange(QWidget* window, int index) {
    if (QAccessible::isActive()) announce(window, index, QAccessible::NameChanged);
}

}  // namespace voltrane

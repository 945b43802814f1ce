#include "dialogs/painted_accessible.h"

#include <QAccessibleWidget>
#include <QWidget>
#include <map>

namespace voltrane {

namespace {

class ControlAccessible;

// The dialog: its children are the controls the dialog holds itself.
class DialogAccessible : public QAccessibleWidget {
public:
    DialogAccessible(QWidget* dialog, PaintedControls& controls)
        : QAccessibleWidget(dialog, QAccessible::Dialog), m_controls(controls) {}
    ~DialogAccessible() override;

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? m_controls.AccessibleTitle() : QAccessibleWidget::text(t);
    }
    int childCount() const override { return static_cast<int>(ChildrenOf(-1).size()); }
    QAccessibleInterface* child(int index) const override { return ChildOf(-1, index); }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override { return ChildAt(-1, QPoint(x, y)); }
    QAccessibleInterface* focusChild() const override;

    PaintedControls& Controls() const { return m_controls; }
    QWidget* Dialog() const { return widget(); }
    // The indexes of the controls `parent` holds, and the interface of child `index` among them.
    std::vector<int> ChildrenOf(int parent) const;
    QAccessibleInterface* ChildOf(int parent, int index) const;
    QAccessibleInterface* ChildAt(int parent, QPoint global) const;
    QAccessibleInterface* Control(int index) const;
    QRect GlobalRect(const QRect& client) const {
        return {widget()->mapToGlobal(client.topLeft()), client.size()};
    }

private:
    PaintedControls& m_controls;
    mutable std::map<int, QAccessible::Id> m_ids;
};

// One painted control.
class ControlAccessible : public QAccessibleInterface,
                          public QAccessibleActionInterface,
                          public QAccessibleValueInterface {
public:
    ControlAccessible(const DialogAccessible& dialog, int index) : m_dialog(dialog), m_index(index) {}

    bool isValid() const override {
        return m_dialog.isValid() && m_index < static_cast<int>(controls().size());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_dialog.window(); }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int x, int y) const override { return m_dialog.ChildAt(m_index, {x, y}); }
    QAccessibleInterface* parent() const override {
        const int holder = isValid() ? control().parent : -1;
        return holder < 0 ? const_cast<DialogAccessible*>(&m_dialog) : m_dialog.Control(holder);
    }
    QAccessibleInterface* child(int index) const override { return m_dialog.ChildOf(m_index, index); }
    int childCount() const override { return static_cast<int>(m_dialog.ChildrenOf(m_index).size()); }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return isValid() ? m_dialog.GlobalRect(control().rect) : QRect(); }
    QAccessible::Role role() const override { return isValid() ? control().role : QAccessible::NoRole; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Buttons, check boxes and rows press; spin boxes step.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    QVariant currentValue() const override { return isValid() ? control().number : 0; }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return isValid() ? control().maximum : 0; }
    QVariant minimumValue() const override { return isValid() ? control().minimum : 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    std::vector<PaintedControl> controls() const { return m_dialog.Controls().AccessibleControls(); }
    PaintedControl control() const { return controls()[static_cast<std::size_t>(m_index)]; }
    bool steps() const { return role() == QAccessible::SpinBox; }

    const DialogAccessible& m_dialog;
    int m_index;
};

DialogAccessible::~DialogAccessible() {
    for (const auto& [index, id] : m_ids) QAccessible::deleteAccessibleInterface(id);
}

std::vector<int> DialogAccessible::ChildrenOf(int parent) const {
    std::vector<int> children;
    const std::vector<PaintedControl> all = m_controls.AccessibleControls();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].parent == parent) children.push_back(static_cast<int>(i));
    }
    return children;
}

QAccessibleInterface* DialogAccessible::ChildOf(int parent, int index) const {
    const std::vector<int> children = ChildrenOf(parent);
    if (index < 0 || index >= static_cast<int>(children.size())) return nullptr;
    return Control(children[static_cast<std::size_t>(index)]);
}

// The same object for a control on every call, as screen readers expect; rows that went away become
// invalid and are dropped with the dialog.
QAccessibleInterface* DialogAccessible::Control(int index) const {
    const auto found = m_ids.find(index);
    if (found != m_ids.end()) return QAccessible::accessibleInterface(found->second);
    auto* control = new ControlAccessible(*this, index);
    m_ids[index] = QAccessible::registerAccessibleInterface(control);
    return control;
}

QAccessibleInterface* DialogAccessible::ChildAt(int parent, QPoint global) const {
    for (int index : ChildrenOf(parent)) {
        QAccessibleInterface* control = Control(index);
        if (control->rect().contains(global)) return control;
    }
    return nullptr;
}

int DialogAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        if (ChildOf(-1, i) == child) return i;
    }
    return -1;
}

QAccessibleInterface* DialogAccessible::focusChild() const {
    const int focused = m_controls.FocusedControl();
    return focused >= 0 && widget()->hasFocus() ? Control(focused) : nullptr;
}

int ControlAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        if (m_dialog.ChildOf(m_index, i) == child) return i;
    }
    return -1;
}

QString ControlAccessible::text(QAccessible::Text t) const {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return control().name;
    if (t == QAccessible::Value) return control().value;
    return {};
}

QAccessible::State ControlAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const PaintedControl c = control();
    state.focusable = c.focusable;
    state.focused =
        c.focusable && m_dialog.Controls().FocusedControl() == m_index && m_dialog.Dialog()->hasFocus();
    state.checkable = c.checkable;
    state.checked = c.checked;
    state.selectable = c.role == QAccessible::ListItem;
    state.selected = c.selected;
    state.readOnly = c.role == QAccessible::EditableText || c.role == QAccessible::StaticText;
    state.invisible = !m_dialog.Dialog()->isVisible();
    return state;
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface && !actionNames().isEmpty())
        return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::ValueInterface && steps())
        return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

QStringList ControlAccessible::actionNames() const {
    switch (role()) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::ListItem:
            return {pressAction()};
        case QAccessible::SpinBox:
            return {increaseAction(), decreaseAction()};
        default:
            return {};
    }
}

void ControlAccessible::doAction(const QString& actionName) {
    if (!isValid()) return;
    PaintedControls& controls = m_dialog.Controls();
    if (actionName == pressAction()) controls.PressControl(m_index);
    if (actionName == increaseAction()) controls.StepControl(m_index, 1);
    if (actionName == decreaseAction()) controls.StepControl(m_index, -1);
}

QAccessibleInterface* paintedFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    auto* controls = dynamic_cast<PaintedControls*>(object);
    if (!widget || !controls) return nullptr;
    return new DialogAccessible(widget, *controls);
}

}  // namespace

void InstallPaintedAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(paintedFactory);
        return true;
    }();
    static_cast<void>(installed);
}

void AnnounceFocus(QWidget& dialog, int index) {
    QAccessibleEvent event(&dialog, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

void AnnounceState(QWidget& dialog, int index, QAccessible::State changed) {
    QAccessibleStateChangeEvent event(&dialog, changed);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

void AnnounceValue(QWidget& dialog, int index, int value) {
    QAccessibleValueChangeEvent event(&dialog, value);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

}  // namespace voltrane

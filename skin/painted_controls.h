#pragma once
// The controls a skinned window paints itself, as assistive technology sees them. A painted window
// derives from PaintedControls and lists its hit regions; InstallPaintedAccessibility() makes Qt's
// accessibility layer show each region as an object of its own, with a role, a name, states, a
// rectangle, a value where it has one, and actions that reach the window.

#include <QAccessible>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace voltrane {

// The value of a slider or a stepper: `current` in minimum..maximum, and the text drawn for it.
struct PaintedValue {
    int current = 0;
    int minimum = 0;
    int maximum = 0;
    QString text;
};

// One painted control. `parent` is the index of the control that holds it (a list holds its rows),
// -1 for a control that lies on the window itself.
struct PaintedControl {
    QAccessible::Role role = QAccessible::Button;
    QString name;
    QString description;
    QRect rect;                // in the window's client pixels
    QAccessible::State state;  // `focused` is added from FocusedControl()
    std::optional<PaintedValue> value;
    QString shownText;  // what a text field shows
    bool hasMenu = false;
    int parent = -1;
};

// What a painted window tells assistive technology. Controls are numbered 0..ControlCount()-1; the
// number of a control stays the same while the window lives, except for rows at the end of the
// numbering, whose count may change.
class PaintedControls {
public:
    virtual ~PaintedControls() = default;

    virtual int ControlCount() const = 0;
    // Control `index` as it stands now; `index` is in 0..ControlCount()-1.
    virtual PaintedControl Control(int index) const = 0;
    // The control with the keyboard focus; -1 when none of the painted ones has it.
    virtual int FocusedControl() const = 0;

    // Actions of assistive technology on control `index`: press (click, toggle, select), open its
    // menu, step its value by `delta` steps, set its value, give it the keyboard focus. An action
    // the control does not have does nothing.
    virtual void PressControl(int index) = 0;
    virtual void ShowControlMenu(int index) { static_cast<void>(index); }
    virtual void StepControl(int index, int delta) {
        static_cast<void>(index);
        static_cast<void>(delta);
    }
    virtual void SetControlValue(int index, int value) {
        static_cast<void>(index);
        static_cast<void>(value);
    }
    virtual void FocusControl(int index) = 0;
};

// A painted window that describes all its controls at once, afresh on every question (a dialog with
// a few dozen controls at most).
class PaintedControlList : public PaintedControls {
public:
    int ControlCount() const final { return static_cast<int>(Controls().size()); }
    PaintedControl Control(int index) const final { return Controls()[static_cast<std::size_t>(index)]; }

protected:
    virtual std::vector<PaintedControl> Controls() const = 0;
};

// A control of `role` named `name` at `rect`, that takes the keyboard focus when `focusable`.
PaintedControl MakePaintedControl(QAccessible::Role role, QString name, QRect rect, bool focusable);

// Lets Qt's accessibility layer build the accessible object of every widget that derives from
// PaintedControls. Safe to call more than once; call it before the first such window is shown.
void InstallPaintedAccessibility();

// Tell assistive technology that control `index` of painted window `window` took the keyboard
// focus, changed the states in `changed`, changed its value, or changed its name (a new language).
// Cheap when no assistive technology listens.
void AnnounceFocus(QWidget* window, int index);
void AnnounceState(QWidget* window, int index, QAccessible::State changed);
void AnnounceValue(QWidget* window, int index);
void AnnounceNameChange(QWidget* window, int index);

// The accessible object of control `index` of painted window `window`; null when there is none.
QAccessibleInterface* PaintedControlInterface(QWidget* window, int index);

}  // namespace voltrane

#pragma once
// What a screen reader sees of a painted dialog: the dialog, named by its title, and each painted
// control as a child with its role, name, states and rectangle; a list's rows are children of the
// list. Buttons and check boxes press, a spin box steps and shows its value. The dialog describes its
// controls through PaintedControls; the accessible objects ask it afresh on every call, so that they
// follow what the dialog shows.

#include <QAccessible>
#include <QRect>
#include <QString>
#include <utility>
#include <vector>

class QWidget;

namespace voltrane {

struct PaintedControl {
    PaintedControl(QAccessible::Role role, QString name, QRect rect)
        : role(role), name(std::move(name)), rect(rect) {}

    QAccessible::Role role;
    QString name;
    QRect rect;       // in the dialog's client pixels
    int parent = -1;  // the control holding it (a list, for its rows); -1 the dialog itself
    bool focusable = false;
    bool checkable = false;
    bool checked = false;
    bool selected = false;
    QString value;                             // what a text field or spin box shows
    int number = 0, minimum = 0, maximum = 0;  // a spin box's value and range
};

// The dialog's side. Controls held by the dialog itself come first, in the order their index is
// their child number.
class PaintedControls {
public:
    virtual QString AccessibleTitle() const = 0;
    virtual std::vector<PaintedControl> AccessibleControls() const = 0;
    // The control with the keyboard focus; -1 for none.
    virtual int FocusedControl() const = 0;
    // A screen reader's press of control `index` (a button, check box or list row).
    virtual void PressControl(int index) = 0;
    // A screen reader's increase (+1) or decrease (-1) of spin box `index`.
    virtual void StepControl(int index, int delta) = 0;

protected:
    ~PaintedControls() = default;
};

// Makes the dialogs that implement PaintedControls accessible; called by each of them before it is
// shown (the factory is installed once).
void InstallPaintedAccessibility();

// Tells the screen reader that control `index` of `dialog` has the focus now, or that its state or
// value changed.
void AnnounceFocus(QWidget& dialog, int index);
void AnnounceState(QWidget& dialog, int index, QAccessible::State changed);
void AnnounceValue(QWidget& dialog, int index, int value);

}  // namespace voltrane

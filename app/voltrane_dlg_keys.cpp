// The main window from the keyboard: the item activated last is the keyboard focus; Tab moves it
// from group to group in reading order, the arrows within a group or along a slider, Space and Enter
// activate it, the menu keys open a button row's menu, and Ctrl+Tab switches pages. Its ring shows
// only while the keyboard moved it.

#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QShortcut>
#include <algorithm>

#include "app/voltrane_dlg.h"
#include "skin/focus_ring.h"
#include "skin/hit_test.h"
#include "skin/item_qrect.h"
#include "skin/my_combo_box.h"

namespace voltrane {

namespace {

bool isMenuKey(const QKeyEvent& event) {
    const int key = event.key();
    return key == Qt::Key_Menu || (key == Qt::Key_F10 && (event.modifiers() & Qt::ShiftModifier)) ||
           (key == Qt::Key_Down && (event.modifiers() & Qt::AltModifier));
}

// -1 for the keys that go back (left, up), 1 for those that go on (right, down), 0 for others.
int arrowStep(int key) {
    if (key == Qt::Key_Left || key == Qt::Key_Up) return -1;
    if (key == Qt::Key_Right || key == Qt::Key_Down) return 1;
    return 0;
}

// The chosen control of a radio set or a tab row.
bool isChosen(const MainControl& stop, const MouseSetting& setting) {
    return (stop.kind == ControlKind::RadioButton || stop.kind == ControlKind::PageTab) &&
           setting.m_nItem[stop.item] != 0;
}

// What the ring goes round: a slider's track only as far as its thumb goes, which keeps the number
// beside the DPI slider clear; any other item's own rectangle.
QRect ringedRect(int item) {
    QRect rect = ItemQRect(item);
    if (const std::optional<SliderGeometry> slider = SliderOf(item))
        rect.setWidth(2 * slider->thumbOffset + slider->step * slider->maxValue + kThumbWidth);
    return rect;
}

}  // namespace

std::vector<const MainControl*> CVoltraneDlg::stopsOnPage() const {
    std::vector<const MainControl*> stops;
    for (const MainControl& control : MainControls()) {
        if (!ControlOnPage(control, m_main.m_nPage)) continue;
        if (control.kind == ControlKind::TextBox &&
            (m_editMacroName->isHidden() || !m_editMacroName->isEnabled()))
            continue;
        stops.push_back(&control);
    }
    return stops;
}

const MainControl* CVoltraneDlg::currentStop() const {
    for (const MainControl* stop : stopsOnPage()) {
        const bool current = stop->kind == ControlKind::ComboBox ? m_comboLanguage->hasFocus()
                             : stop->kind == ControlKind::TextBox
                                 ? m_editMacroName->hasFocus()
                                 : hasFocus() && stop->item == m_main.m_nFocusItem;
        if (current) return stop;
    }
    return nullptr;
}

// The group after (before) the current one, on the checked control of a radio set or tab row.
bool CVoltraneDlg::focusNextPrevChild(bool next) {
    const std::vector<const MainControl*> stops = stopsOnPage();
    if (stops.empty()) return false;
    std::vector<int> groups;
    for (const MainControl* stop : stops) {
        if (groups.empty() || groups.back() != stop->group) groups.push_back(stop->group);
    }
    const auto count = static_cast<int>(groups.size());
    const MainControl* current = currentStop();
    int at = next ? -1 : count;
    if (current)
        at = static_cast<int>(std::find(groups.begin(), groups.end(), current->group) - groups.begin());
    const int group = groups[static_cast<std::size_t>(((at + (next ? 1 : -1)) % count + count) % count)];
    const MainControl* target = nullptr;
    for (const MainControl* stop : stops) {
        if (stop->group != group) continue;
        if (!target) target = stop;
        if (isChosen(*stop, m_controller.Setting())) target = stop;
    }
    focusStop(*target);
    return true;
}

void CVoltraneDlg::focusStop(const MainControl& stop) {
    if (stop.kind == ControlKind::ComboBox) return m_comboLanguage->setFocus(Qt::TabFocusReason);
    if (stop.kind == ControlKind::TextBox) return m_editMacroName->setFocus(Qt::TabFocusReason);
    updateFocusRing();
    m_main.m_nFocusItem = stop.item;
    m_bKeyboardFocus = true;
    setFocus(Qt::TabFocusReason);
    updateFocusRing();
    AnnounceFocus(this, controlOfItem(stop.item));
}

void CVoltraneDlg::moveInGroup(int step) {
    const MainControl* current = currentStop();
    if (!current) return;
    std::vector<const MainControl*> group;
    for (const MainControl* stop : stopsOnPage()) {
        if (stop->group == current->group) group.push_back(stop);
    }
    const auto count = static_cast<int>(group.size());
    const int at = static_cast<int>(std::find(group.begin(), group.end(), current) - group.begin());
    focusStop(*group[static_cast<std::size_t>(((at + step) % count + count) % count)]);
}

// The arrows on a slider move its thumb; on the macro list they select the row above or below.
bool CVoltraneDlg::stepFocused(int key) {
    const int index = FocusedControl();
    if (index < 0) return false;
    const MainControl& control = *m_painted[static_cast<std::size_t>(index)];
    const int step = arrowStep(key);
    if (control.kind == ControlKind::Slider) {
        StepControl(index, key == Qt::Key_Left || key == Qt::Key_Down ? -1 : 1);
        return true;
    }
    if (control.kind == ControlKind::List && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        selectMacroRow(m_controller.Store().m_nMacroSel + step);
        return true;
    }
    return false;
}

// As a click on the item, with the item under the cursor for the moment (a button row chooses the
// mouse's view by it); the pointer's own hover comes back afterwards.
void CVoltraneDlg::activateFromKeyboard(int item) {
    if (item == kItemMacroList) return selectMacroRow(m_controller.Store().m_nMacroSel);
    updateFocusRing();
    m_bKeyboardFocus = true;
    m_main.Hover(item, 0);
    m_main.ActivateItem(item);
    hitTest(mapFromGlobal(QCursor::pos()));
    updateFocusRing();
}

// Scrolls row `row` into view and selects it as a click on it does, keeping the focus on the list.
void CVoltraneDlg::selectMacroRow(int row) {
    MacroStore& store = m_controller.Store();
    const int last = std::min(static_cast<int>(store.m_nMacroCount), static_cast<int>(kMaxMacros) - 1);
    row = std::clamp(row, 0, last);
    m_main.Hover(kItemMacroList, 0);
    const auto scrolled = [&](int delta) {
        const int before = store.m_nMacroTop;
        return m_main.ScrollMacroList(delta) && store.m_nMacroTop != before;
    };
    while (row < store.m_nMacroTop && scrolled(1)) {
    }
    while (row >= store.m_nMacroTop + kMacroListRows && scrolled(-1)) {
    }
    updateFocusRing();
    m_bKeyboardFocus = true;
    m_main.Hover(kItemMacroList, (row - store.m_nMacroTop) * kMacroRowHeight);
    m_main.ActivateItem(kItemMacroList);
    setFocus(Qt::OtherFocusReason);  // a click hands the focus to the name box; the arrows keep it here
    hitTest(mapFromGlobal(QCursor::pos()));
    updateFocusRing();
    AnnounceFocus(this, ControlCount() - ShownMacroRows(store) + (store.m_nMacroSel - store.m_nMacroTop));
}

// Shortcuts, so that they reach the window from the child boxes too (the language box would take
// Ctrl+Tab's tab character for a search).
void CVoltraneDlg::createPageShortcuts() {
    const QKeySequence keys[] = {QKeySequence::NextChild, QKeySequence::PreviousChild,
                                 QKeySequence(Qt::CTRL | Qt::Key_PageDown),
                                 QKeySequence(Qt::CTRL | Qt::Key_PageUp)};
    for (const QKeySequence& sequence : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, [this] { switchPageFromKeyboard(); });
    }
}

void CVoltraneDlg::switchPageFromKeyboard() {
    activateFromKeyboard(m_main.m_nPage == kBasicPage ? kItemAdvancedTab : kItemBasicTab);
    setFocus(Qt::TabFocusReason);
    AnnounceFocus(this, controlOfItem(m_main.m_nFocusItem));
}

void CVoltraneDlg::updateFocusRing() {
    if (m_main.m_nFocusItem >= 0 && m_main.m_nFocusItem < kItemCount)
        update(FocusRingRect(ringedRect(m_main.m_nFocusItem)));
}

void CVoltraneDlg::paintFocusRing(QPainter& painter) const {
    if (ShowsFocusRing() && FocusedControl() >= 0) DrawFocusRing(painter, ringedRect(m_main.m_nFocusItem));
}

// Esc does not end the program: only Close, Cancel, Exit and the loss of the mouse do.
void CVoltraneDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return event->accept();
    const MainControl* stop = hasFocus() && Started() ? currentStop() : nullptr;
    if (!stop) return QDialog::keyPressEvent(event);
    if (isMenuKey(*event)) {
        if (stop->kind == ControlKind::ButtonWithMenu) activateFromKeyboard(stop->item);
        return event->accept();
    }
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        activateFromKeyboard(stop->item);
        return event->accept();
    }
    if (arrowStep(key) != 0 && !(event->modifiers() & Qt::AltModifier)) {
        if (!stepFocused(key)) moveInGroup(arrowStep(key));
        return event->accept();
    }
    QDialog::keyPressEvent(event);
}

// Space repeats the item activated last; when the keyboard put the focus there, as if it were clicked.
void CVoltraneDlg::keyReleaseEvent(QKeyEvent* event) {
    const bool typing = m_editMacroName->hasFocus() || m_comboLanguage->hasFocus();
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || typing || !Started())
        return QDialog::keyReleaseEvent(event);
    if (m_main.m_nFocusItem >= kNoItem) return;
    if (m_bKeyboardFocus) return activateFromKeyboard(m_main.m_nFocusItem);
    m_main.ActivateItem(m_main.m_nFocusItem);
}

void CVoltraneDlg::focusInEvent(QFocusEvent* event) {
    updateFocusRing();
    QDialog::focusInEvent(event);
}

void CVoltraneDlg::focusOutEvent(QFocusEvent* event) {
    updateFocusRing();
    QDialog::focusOutEvent(event);
}

}  // namespace voltrane

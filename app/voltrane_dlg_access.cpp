// The main window's painted controls as assistive technology sees them: role, name in the window's
// language, states, rectangle and value of each, and the actions it may take on them.

#include <QLineEdit>
#include <algorithm>

#include "app/voltrane_dlg.h"
#include "settings/button_records.h"
#include "skin/hit_test.h"
#include "skin/item_qrect.h"
#include "skin/qt_text.h"

namespace voltrane {

namespace {

QAccessible::Role roleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::ButtonWithMenu:
            return QAccessible::ButtonMenu;
        case ControlKind::RadioButton:
            return QAccessible::RadioButton;
        case ControlKind::CheckBox:
            return QAccessible::CheckBox;
        case ControlKind::PageTab:
            return QAccessible::PageTab;
        case ControlKind::Slider:
            return QAccessible::Slider;
        case ControlKind::Stepper:
            return QAccessible::SpinBox;
        case ControlKind::List:
            return QAccessible::List;
        case ControlKind::ComboBox:
            return QAccessible::ComboBox;
        case ControlKind::TextBox:
            return QAccessible::EditableText;
        case ControlKind::Button:
            break;
    }
    return QAccessible::PushButton;
}

bool hasCheckedState(ControlKind kind) {
    return kind == ControlKind::RadioButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::PageTab;
}

// The headings that name the sliders under them.
int headingOfSlider(int item) {
    switch (item) {
        case kItemDpiSlider:
            return 12;  // " DPI level"
        case kItemSpeedSlider:
            return 57;  // " Cursor Speed"
        case kItemSpeedSlider + 1:
            return 58;  // "Vertical Scrolling"
        default:
            return 59;  // "Double-click speed"
    }
}

// The LED an item of the lamp rows belongs to (0 red, 1 yellow, 2 green); -1 for other items.
int lampOf(int item) {
    for (std::size_t lamp = 0; lamp < std::size(kLampItems); ++lamp) {
        const LampItems& l = kLampItems[lamp];
        if (item == l.off || item == l.on || item == l.up || item == l.down || item == l.level)
            return static_cast<int>(lamp);
    }
    return -1;
}

// The row of the control-name table that names a stepper arrow: shine, each LED's level, DPI; up first.
int stepperRow(int item) {
    const int lamp = lampOf(item);
    if (lamp >= 0) return kControlShineUp + 2 + 2 * lamp + (item == kLampItems[lamp].down ? 1 : 0);
    if (item == kItemDpiUp || item == kItemDpiDown) return kControlShineUp + 8 + (item - kItemDpiUp);
    return kControlShineUp + (item - kItemShineUp);
}

// The arrow that steps a stepper pair's number up, and the highest number.
int upArrowOf(int item) {
    const bool down = item == kItemShineDown || item == kItemDpiDown ||
                      std::any_of(std::begin(kLampItems), std::end(kLampItems),
                                  [item](const LampItems& l) { return item == l.down; });
    return down ? item - 1 : item;
}

int maximumOf(int valueItem) {
    if (valueItem == kItemShine) return kMaxShine;
    if (valueItem == kItemDpi) return kMaxDpiLevel;
    return kMaxLampLevel;
}

QString tableText(TextTable table, int row, int language) {
    return ToQString(GetText(table, row, language)).trimmed();
}

}  // namespace

// The LED names and the controls without a caption come from the control-name table; every other
// control is named by its caption, the button rows by their button's number.
QString CVoltraneDlg::controlName(int item) const {
    const int language = m_controller.Language();
    if (item <= kItemButton7)
        return ToQString(GetTextWithNumber(TextTable::ControlName, kControlButton, language, item + 1));
    if (SliderOf(item)) return tableText(TextTable::Main, headingOfSlider(item), language);
    if (SteppedItem(item) != kNoItem) return tableText(TextTable::ControlName, stepperRow(item), language);
    if (const int lamp = lampOf(item); lamp >= 0) {
        return tableText(TextTable::ControlName, kControlRedLed + lamp, language) + u' ' +
               tableText(TextTable::Main, item, language);
    }
    switch (item) {
        case kItemScrollLines:
            return tableText(TextTable::ControlName, kControlScrollLines, language);
        case kItemHide:
            return tableText(TextTable::ControlName, kControlMinimise, language);
        case kItemClose:
            return tableText(TextTable::ControlName, kControlClose, language);
        case kItemMacroList:
            return tableText(TextTable::Main, kItemMacroCount, language);
        default:
            return tableText(TextTable::Main, item, language);
    }
}

void CVoltraneDlg::createControlList() {
    for (const MainControl& control : MainControls()) {
        if (control.kind != ControlKind::ComboBox && control.kind != ControlKind::TextBox)
            m_painted.push_back(&control);
    }
}

int CVoltraneDlg::ControlCount() const {
    return static_cast<int>(m_painted.size()) + ShownMacroRows(m_controller.Store());
}

PaintedControl CVoltraneDlg::Control(int index) const {
    const auto count = static_cast<int>(m_painted.size());
    const MouseSetting& setting = m_controller.Setting();
    const MacroStore& store = m_controller.Store();
    PaintedControl c;
    if (index >= count) {
        const int row = index - count;
        const int slot = store.m_nMacroTop + row;
        const bool stored = slot < kMacroStoreSlots && store.m_Macro[slot].count != 0;
        c.role = QAccessible::ListItem;
        c.name = stored ? ToQString(MacroListName(store.m_strMacroNames[slot], store.m_Macro[slot]))
                        : QStringLiteral("<New Macro>");
        c.rect =
            FirstListRow(ItemQRect(kItemMacroList), kMacroRowHeight).translated(0, row * kMacroRowHeight);
        c.state.selectable = true;
        c.state.selected = slot == store.m_nMacroSel;
        c.state.invisible = m_main.m_nPage != kAdvancedPage;
        c.parent = controlOfItem(kItemMacroList);
        return c;
    }
    const MainControl& control = *m_painted[static_cast<std::size_t>(index)];
    const int item = control.item;
    c.role = roleOf(control.kind);
    c.name = controlName(item);
    c.rect = ItemQRect(item);
    c.state.focusable = true;
    c.state.invisible = !ControlOnPage(control, m_main.m_nPage);
    c.state.checkable = hasCheckedState(control.kind);
    c.state.checked = c.state.checkable && setting.m_nItem[item] != 0;
    c.state.selected = control.kind == ControlKind::PageTab && c.state.checked;
    c.state.hasPopup = control.kind == ControlKind::ButtonWithMenu;
    c.hasMenu = c.state.hasPopup;
    if (item <= kItemButton7) c.description = ItemValueText(item, paintState());
    if (const int lamp = lampOf(item); lamp >= 0)
        c.description = tableText(TextTable::ControlName, kControlRedLed + lamp, m_controller.Language());
    if (const int valueItem = SteppedItem(item); valueItem != kNoItem) {
        const std::optional<SliderGeometry> slider = SliderOf(item);
        const QString text = ItemValueText(valueItem, paintState());
        c.value = PaintedValue{setting.m_nItem[valueItem], 0,
                               slider ? slider->maxValue : maximumOf(valueItem), text};
    }
    return c;
}

int CVoltraneDlg::controlOfItem(int item) const {
    for (std::size_t i = 0; i < m_painted.size(); ++i) {
        if (m_painted[i]->item == item) return static_cast<int>(i);
    }
    return -1;
}

int CVoltraneDlg::FocusedControl() const {
    const int index = controlOfItem(m_main.m_nFocusItem);
    if (index < 0 || !ControlOnPage(*m_painted[static_cast<std::size_t>(index)], m_main.m_nPage)) return -1;
    return index;
}

void CVoltraneDlg::PressControl(int index) {
    const auto count = static_cast<int>(m_painted.size());
    if (index < 0 || index >= ControlCount()) return;
    if (index >= count) return selectMacroRow(m_controller.Store().m_nMacroTop + index - count);
    activateFromKeyboard(m_painted[static_cast<std::size_t>(index)]->item);
}

void CVoltraneDlg::ShowControlMenu(int index) {
    if (index >= 0 && index < static_cast<int>(m_painted.size()) &&
        m_painted[static_cast<std::size_t>(index)]->kind == ControlKind::ButtonWithMenu) {
        PressControl(index);
    }
}

// A slider moves by `delta`; a stepper pair steps once up or down, whichever arrow is asked.
void CVoltraneDlg::StepControl(int index, int delta) {
    if (index < 0 || index >= static_cast<int>(m_painted.size()) || delta == 0) return;
    const int item = m_painted[static_cast<std::size_t>(index)]->item;
    if (const std::optional<SliderGeometry> slider = SliderOf(item)) {
        const int value = m_controller.Setting().m_nItem[slider->valueItem] + delta;
        return m_main.ClickSlider(item, std::clamp(value, 0, slider->maxValue));
    }
    if (SteppedItem(item) == kNoItem) return;
    const int up = upArrowOf(item);
    activateFromKeyboard(delta > 0 ? up : up + 1);
}

void CVoltraneDlg::SetControlValue(int index, int value) {
    const PaintedControl c = Control(index);
    if (!c.value) return;
    const int target = std::clamp(value, c.value->minimum, c.value->maximum);
    const int item = m_painted[static_cast<std::size_t>(index)]->item;
    if (SliderOf(item)) return m_main.ClickSlider(item, target);
    for (int steps = target - c.value->current; steps != 0; steps += steps > 0 ? -1 : 1)
        StepControl(index, steps > 0 ? 1 : -1);
}

void CVoltraneDlg::FocusControl(int index) {
    if (index < 0 || index >= static_cast<int>(m_painted.size())) return;
    focusStop(*m_painted[static_cast<std::size_t>(index)]);
}

// Checked states follow the items that changed, values the numbers that changed.
void CVoltraneDlg::announceItems(std::span<const int> items) {
    QAccessible::State checked;
    checked.checked = true;
    for (int item : items) {
        for (std::size_t i = 0; i < m_painted.size(); ++i) {
            const int control = m_painted[i]->item;
            if (control == item && hasCheckedState(m_painted[i]->kind))
                AnnounceState(this, static_cast<int>(i), checked);
            if (SteppedItem(control) == item) AnnounceValue(this, static_cast<int>(i));
        }
    }
}

}  // namespace voltrane

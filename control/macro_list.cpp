#include "control/macro_list.h"

#include <algorithm>
#include <string>

namespace voltrane {

namespace {

int selectedSlot(const MacroStore& store) {
    return std::clamp(store.m_nMacroSel, 0, static_cast<int>(store.m_nMacroCount));
}

// Whether a stored macro has the name `name` (the new-macro slot's name is empty).
bool nameTaken(const MacroStore& store, std::u16string_view name) {
    const std::u16string* end = store.m_strMacroNames + store.m_nMacroCount;
    return std::find(store.m_strMacroNames, end, name) != end;
}

// The name of the macro just made in the new-macro slot `slot`: the box's text when the user typed
// a name no other macro has, otherwise the first "Macro_<n>" from n = slot + 1 that no macro has.
std::u16string newMacroName(const MacroStore& store, const WindowPort& window, int slot) {
    const std::u16string typed = BoundedName(window.MacroNameText());
    if (!typed.empty() && typed != kNewMacroName && !nameTaken(store, typed)) return typed;
    int number = slot + 1;
    while (nameTaken(store, MacroName(number))) ++number;
    return MacroName(number);
}

// The macro just made in the new-macro slot `slot` joins the store under a name of its own.
void addNewMacro(MacroStore& store, WindowPort& window, int slot) {
    store.m_strMacroNames[slot].clear();
    ++store.m_nMacroCount;
    store.m_strMacroNames[slot] = newMacroName(store, window, slot);
    window.SetMacroNameText(store.m_strMacroNames[slot]);
    if (slot < static_cast<int>(kMaxMacros)) store.m_nMacroSel = slot + 1;
}

}  // namespace

std::vector<int> SelectMacro(MacroStore& store, WindowPort& window) {
    const int slot = std::clamp(store.m_nMacroHoverRow, 0, static_cast<int>(store.m_nMacroCount));
    store.m_nMacroSel = slot;
    if (store.m_Macro[slot].count != 0) {
        std::u16string& name = store.m_strMacroNames[slot];
        if (name.empty()) name = MacroName(slot + 1);
        window.SetMacroNameText(name);
    } else {
        window.SetMacroNameText(kNewMacroName);
    }
    window.FocusMacroNameBox();
    return {kItemMacroInfo, kItemMacroList};
}

std::vector<int> RenameMacro(MacroStore& store, const WindowPort& window) {
    store.m_strMacroNames[selectedSlot(store)] = BoundedName(window.MacroNameText());
    return {kItemMacroList};
}

std::vector<int> EditMacro(MacroStore& store, WindowPort& window, CaptureDialogs& dialogs, int language) {
    if (store.m_nMacroCount >= kMaxMacros) return {};
    const int slot = selectedSlot(store);
    const std::optional<MacroRecord> edited =
        dialogs.RunMacroEditor(store.m_Macro[slot], store.m_strMacroNames[slot], language);
    if (!edited) return {};
    if (edited->count != 0) {
        store.m_Macro[slot] = *edited;
        if (slot == static_cast<int>(store.m_nMacroCount)) addNewMacro(store, window, slot);
    }
    return kMacroStoreItems;
}

std::vector<int> DeleteMacro(MacroStore& store, WindowPort& window) {
    const int count = static_cast<int>(store.m_nMacroCount);
    int& selected = store.m_nMacroSel;
    if (selected < 0 || selected >= count) return {};
    // The new-macro slot moves up with the rest; the slot it leaves keeps its content.
    std::copy(store.m_Macro + selected + 1, store.m_Macro + count + 1, store.m_Macro + selected);
    std::copy(store.m_strMacroNames + selected + 1, store.m_strMacroNames + count + 1,
              store.m_strMacroNames + selected);
    --store.m_nMacroCount;
    if (selected == count - 1) {
        // The last macro went: the one before it is selected and kept in view.
        if (selected > 0) store.m_nMacroHoverRow = --selected;
        store.m_nMacroTop = std::min(store.m_nMacroTop, selected);
    }
    window.SetMacroNameText(store.m_nMacroCount == 0 ? std::u16string(kNewMacroName)
                                                     : store.m_strMacroNames[selected]);
    return kMacroStoreItems;
}

}  // namespace voltrane

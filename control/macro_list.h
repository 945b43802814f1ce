#pragma once
// The actions of the macro list on the advanced page: a click on the list (item 86), "Name" (61),
// "Edit" (68) and "Delete" (67). They keep the store's selection, top row and names consistent with
// the macro-name box; none of them writes to disk. Each returns the items to repaint.

#include <vector>

#include "control/capture_dialogs.h"
#include "control/window_port.h"
#include "settings/macro_store.h"
#include "settings/mouse_setting.h"

namespace voltrane {

inline constexpr char16_t kNewMacroName[] = u"<New Macro>";

// What a change of the store repaints: the macro count, the information box and the list.
inline const std::vector<int> kMacroStoreItems{kItemMacroCount, kItemMacroInfo, kItemMacroList};

// Selects the row under the cursor (m_nMacroHoverRow). A stored macro without a name is named
// "Macro_<slot + 1>"; the box shows the name, or "<New Macro>" for an empty slot, and takes the focus.
std::vector<int> SelectMacro(MacroStore& store, WindowPort& window);

// The selected slot takes the box's text as its name (the new-macro slot too).
std::vector<int> RenameMacro(MacroStore& store, const WindowPort& window);

// Runs the macro editor on the selected slot, unless the store holds kMaxMacros macros. An edited
// record with steps replaces the slot; a new macro is added under the box's name, or under the first
// free "Macro_<n>" from n = slot + 1 when the box is empty, shows "<New Macro>" or a name another
// macro has, and the selection moves on to the next new-macro slot. Cancel, or OK with no steps, leaves the
// store as it was.
std::vector<int> EditMacro(MacroStore& store, WindowPort& window, CaptureDialogs& dialogs, int language);

// Deletes the selected macro, moving the later ones up; the box shows the macro now selected, or
// "<New Macro>" when none is left. Does nothing on the new-macro slot.
std::vector<int> DeleteMacro(MacroStore& store, WindowPort& window);

}  // namespace voltrane

#pragma once
// The layouts of the three skinned dialogs: window sizes and hit regions, in client pixels.

#include <array>

#include "skin/skin_rect.h"

namespace voltrane {

// The single-key dialog: size, and its regions 0 key combination, 1 OK, 2 Cancel.
inline constexpr int kSingleKeyWidth = 450;
inline constexpr int kSingleKeyHeight = 245;
extern const std::array<SkinRect, 3> kSingleKeyRegions;
inline constexpr int kKeyComboRegion = 0;  // drawn only, never hit
// Under the combination box: the note shown when system shortcuts cannot be captured.
inline constexpr SkinRect kSingleKeyNoteRect{33, 150, 300, 16};
// Under the note: the line that says how the dialog's keys work.
inline constexpr SkinRect kSingleKeyHintRect{33, 172, 400, 16};

// The macro editor and the macro choice dialog share one size (both take macro_mask.bmp).
inline constexpr int kMacroDialogWidth = 660;
inline constexpr int kMacroDialogHeight = 470;

// The macro choice dialog's regions: 0, 1 list headings, 2 macro list, 3 step list, 4 OK, 5 Cancel.
extern const std::array<SkinRect, 6> kChoiceRegions;
inline constexpr int kMacroHeadingRegion = 0;  // the headings are drawn only, never hit
inline constexpr int kStepHeadingRegion = 1;

// The macro editor's regions: 0 step list, 1 delay value, 2-3 delay check boxes, 4-6 insert delay,
// delete and clean, 7-13 mouse buttons and wheel, 14-15 delay spinner, 16 OK, 17 Cancel.
extern const std::array<SkinRect, 18> kMacroEditorRegions;
// Drawn only: the step budget in the step list's top right corner, and the footer left of OK and
// Cancel that holds the note shown when system shortcuts cannot be captured.
inline constexpr SkinRect kMacroBudgetRect{590, 114, 50, 12};
inline constexpr SkinRect kMacroNoteRect{20, 436, 440, 16};
// Above the note in the macro editor, and in the choice dialog's footer: how the dialog's keys work.
inline constexpr SkinRect kMacroHintRect{20, 412, 440, 16};
inline constexpr SkinRect kChoiceHintRect{20, 436, 440, 16};

// Region numbers of the macro editor that name a group of regions.
inline constexpr int kFirstCheckRegion = 2;
inline constexpr int kLastCheckRegion = 3;
inline constexpr int kFirstButtonRegion = 4;
inline constexpr int kLastButtonRegion = 13;
inline constexpr int kSpinUpRegion = 14;
inline constexpr int kSpinDownRegion = 15;

}  // namespace voltrane

#pragma once
// The main window's layout: its size, the rectangle of every item and the page each item is on.

#include <array>

#include "settings/mouse_setting.h"
#include "skin/skin_rect.h"

namespace voltrane {

// Size of the main window and of every main-window picture, in pixels.
inline constexpr int kMainWindowWidth = 800;
inline constexpr int kMainWindowHeight = 600;

// The rectangle of every item, indexed by item number; (0, 0, 0, 0) where the item has none.
extern const std::array<SkinRect, kItemCount> kItemRects;

// The page an item belongs to (items 113-130 are common); kCommonPage for numbers outside 0..130.
SkinPage ItemPage(int item);

// Whether an item is drawn and hit while `page` is shown: its own page or the common range.
bool ItemOnPage(int item, int page);

// Where the language combo box sits, in the header beside the hide and close buttons.
inline constexpr SkinRect kLanguageBoxRect = {611, 16, 90, 22};

// A slider track: a click sets `valueItem`, whose value v puts the thumb at
// (track left + thumbOffset + step * v, track top); values run 0..maxValue.
struct SliderGeometry {
    int item;
    int valueItem;
    int thumbOffset;
    int step;
    int maxValue;
};
inline constexpr SliderGeometry kSliders[] = {
    {51, 55, 20, 40, 4},
    {78, 82, 12, 23, 9},
    {79, 83, 12, 23, 9},
    {80, 84, 12, 23, 9},
};

// The box the slider thumb (arrow_down.bmp) is stretched into.
inline constexpr int kThumbWidth = 8;
inline constexpr int kThumbHeight = 16;

}  // namespace voltrane

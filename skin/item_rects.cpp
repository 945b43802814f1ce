#include "skin/item_rects.h"

namespace voltrane {

// clang-format off
const std::array<SkinRect, kItemCount> kItemRects = {{
    // 0-6: the button functions, beside the mouse picture
    {284, 157, 100, 24}, {284, 185, 124, 24}, {284, 214, 124, 24}, {284, 242, 124, 24},
    {284, 271, 124, 24}, {284, 300, 124, 24}, {284, 329, 124, 24}, {}, {}, {},
    // 10-13: headings of lighting, report rate and DPI, the DPI scale
    {443, 92, 108, 20}, {443, 299, 108, 20}, {443, 402, 108, 20}, {454, 442, 241, 12},
    // 14-19: lighting mode, breathing, shine steppers
    {451, 144, 78, 18}, {530, 144, 78, 18}, {609, 144, 78, 18}, {735, 142, 20, 10}, {735, 152, 20, 10}, {},
    // 20-23: report rates
    {480, 350, 60, 18}, {542, 350, 60, 18}, {605, 350, 60, 18}, {674, 350, 60, 18},
    // 24-35: the three lamps: Off, On, level up, level down
    {530, 179, 78, 18}, {609, 179, 78, 18}, {735, 177, 20, 10}, {735, 187, 20, 10},
    {530, 214, 78, 18}, {609, 214, 78, 18}, {735, 214, 20, 10}, {735, 224, 20, 10},
    {530, 249, 78, 18}, {609, 249, 78, 18}, {735, 249, 20, 10}, {735, 259, 20, 10},
    // 36-39: shine step and lamp levels
    {700, 144, 35, 16}, {700, 179, 35, 16}, {700, 214, 35, 16}, {700, 250, 35, 16},
    // 40-50: DPI steppers
    {}, {}, {}, {}, {}, {}, {743, 446, 20, 10}, {743, 456, 20, 10}, {}, {}, {},
    // 51-55: DPI slider and DPI number
    {468, 454, 237, 16}, {}, {}, {}, {700, 447, 35, 16},
    // 56-59: page 1 headings
    {}, {29, 151, 135, 21}, {29, 259, 135, 21}, {29, 366, 135, 21},
    // 60-68: macro panel
    {536, 152, 103, 21}, {411, 235, 48, 20}, {470, 262, 94, 20}, {646, 208, 100, 20},
    {586, 262, 50, 22}, {586, 304, 50, 22}, {586, 346, 50, 22}, {586, 388, 50, 22}, {475, 418, 84, 23},
    // 69-77: pointer precision, wheel lines or screens
    {37, 216, 200, 18}, {33, 302, 16, 16}, {33, 323, 240, 16}, {}, {}, {}, {}, {}, {},
    // 78-84: pointer sliders, macro-name box
    {72, 198, 237, 16}, {72, 306, 237, 16}, {72, 416, 237, 16}, {470, 236, 100, 18}, {}, {}, {},
    // 85-87: macro information and list
    {461, 295, 112, 110}, {649, 230, 115, 240}, {},
    // 88-95: colour page brightness and breathing speed
    {502, 188, 50, 18}, {568, 188, 50, 18}, {628, 188, 50, 18}, {687, 188, 50, 18},
    {502, 290, 50, 18}, {568, 290, 50, 18}, {628, 290, 50, 18}, {687, 290, 50, 18},
    // 96-112: colour page captions, colour wheel and swatches
    {281, 172, 85, 22}, {486, 138, 85, 22}, {486, 240, 85, 22}, {486, 339, 85, 22},
    {289, 429, 83, 20}, {363, 393, 84, 22}, {486, 437, 85, 22}, {250, 227, 150, 150},
    {304, 393, 49, 22}, {492, 384, 30, 30}, {522, 384, 30, 30}, {552, 384, 30, 30},
    {582, 384, 30, 30}, {612, 384, 30, 30}, {642, 384, 30, 30}, {672, 384, 30, 30},
    {702, 384, 30, 30},
    // 113-122: profiles
    {}, {22, 480, 80, 22}, {21, 510, 50, 22}, {92, 510, 50, 22}, {164, 510, 50, 22},
    {235, 510, 50, 22}, {307, 510, 50, 22}, {21, 552, 105, 23}, {146, 552, 105, 23}, {272, 552, 105, 23},
    // 123-130: hide, close, page tabs, OK, Apply, Cancel
    {709, 16, 34, 22}, {749, 16, 34, 22}, {13, 80, 165, 36}, {182, 80, 165, 36}, {},
    {527, 543, 80, 30}, {614, 543, 80, 30}, {701, 543, 80, 30},
}};
// clang-format on

namespace {
// First item of each page and of the common range.
constexpr int kFirstAdvancedItem = 56;
constexpr int kFirstColourItem = 87;
constexpr int kFirstCommonItem = 113;
}  // namespace

SkinPage ItemPage(int item) {
    if (item < 0 || item >= kFirstCommonItem) return kCommonPage;
    if (item >= kFirstColourItem) return kColourPage;
    if (item >= kFirstAdvancedItem) return kAdvancedPage;
    return kBasicPage;
}

bool ItemOnPage(int item, int page) {
    if (item < 0 || item >= kItemCount) return false;
    const SkinPage own = ItemPage(item);
    return own == kCommonPage || own == page;
}

}  // namespace voltrane

#include "skin/skin_files.h"

#include "skin/dialog_regions.h"
#include "skin/item_rects.h"

namespace voltrane {

const std::array<std::string_view, kSkinImageCount> kSkinFileNames = {
    "main_mask.bmp",       "main_normal.jpg",     "main_over.jpg",        "main_down.jpg",
    "advanced_normal.jpg", "advanced_over.jpg",   "advanced_down.jpg",    "color_normal.jpg",
    "color_over.jpg",      "color_down.jpg",      "single_key_mask.bmp",  "single_key_normal.jpg",
    "single_key_over.jpg", "single_key_down.jpg", "macro_mask.bmp",       "macro_down.jpg",
    "macro_normal.jpg",    "macro_choice.jpg",    "arrow_up.bmp",         "arrow_down.bmp",
    "button.jpg",          "check.jpg",           "main_normal_side.jpg",
};

std::optional<SkinSize> ExpectedSkinSize(int index) {
    switch (index) {
        case kSingleKeyMask:
        case kSingleKeyNormal:
        case kSingleKeyOver:
        case kSingleKeyDown:
            return SkinSize{kSingleKeyWidth, kSingleKeyHeight};
        case kMacroMask:
        case kMacroDown:
        case kMacroNormal:
        case kMacroChoice:
            return SkinSize{kMacroDialogWidth, kMacroDialogHeight};
        case kArrowUp:
        case kArrowDown:
        case kButtonStrip:
        case kCheckStrip:
            return std::nullopt;
        default:
            return SkinSize{kMainWindowWidth, kMainWindowHeight};
    }
}

std::string HiDpiFileName(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return std::string(fileName) + "@2x";
    return std::string(fileName.substr(0, dot)) + "@2x" + std::string(fileName.substr(dot));
}

}  // namespace voltrane

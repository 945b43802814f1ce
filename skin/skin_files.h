#pragma once
// The skin images every skinned window is drawn from, by index, and their file names.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace voltrane {

enum SkinImage : int {
    kMainMask = 0,
    kMainNormal = 1,
    kMainOver = 2,
    kMainDown = 3,
    kAdvancedNormal = 4,
    kAdvancedOver = 5,
    kAdvancedDown = 6,
    kColorNormal = 7,
    kColorOver = 8,
    kColorDown = 9,
    kSingleKeyMask = 10,
    kSingleKeyNormal = 11,
    kSingleKeyOver = 12,
    kSingleKeyDown = 13,
    kMacroMask = 14,
    kMacroDown = 15,
    kMacroNormal = 16,
    kMacroChoice = 17,
    kArrowUp = 18,
    kArrowDown = 19,
    kButtonStrip = 20,
    kCheckStrip = 21,
    kMainNormalSide = 22,
};
inline constexpr int kSkinImageCount = 23;

// The file name of every skin image in the "skins" folder, indexed by SkinImage.
extern const std::array<std::string_view, kSkinImageCount> kSkinFileNames;

// The size in pixels a skin image must have: the size of the window it draws (masks and page and
// dialog pictures); std::nullopt for the thumbs and the button and check strips, which may have any
// size that is not empty.
struct SkinSize {
    int width;
    int height;
};
std::optional<SkinSize> ExpectedSkinSize(int index);

// The name of an image's twice-size version for screens with a device pixel ratio above 1:
// "<stem>@2x.<extension>", e.g. "main_normal@2x.jpg".
std::string HiDpiFileName(std::string_view fileName);

}  // namespace voltrane

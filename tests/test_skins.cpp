// The painted skins keep the rules the windows rely on: every file there at both scales, masks with
// a colour key outside and one inside colour, every item and region inside its pictures, three-state
// strips that fit their regions, and captions readable on what they are drawn over.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "skin/dialog_regions.h"
#include "skin/item_rects.h"
#include "skin/skin_files.h"

namespace voltrane {
namespace {

QImage loadSkin(int image, int scale) {
    const std::string name(kSkinFileNames[image]);
    const std::string file = scale == 1 ? name : HiDpiFileName(name);
    return QImage(QString::fromStdString(std::string(VOLTRANE_SKIN_DIR) + "/" + file));
}

// The size of an image in logical pixels.
QSize logicalSize(int image) { return loadSkin(image, 1).size(); }

std::vector<SkinRect> pageItems(int page) {
    std::vector<SkinRect> rects;
    for (int item = 0; item < kItemCount; ++item) {
        if (ItemOnPage(item, page) && !kItemRects[item].empty()) rects.push_back(kItemRects[item]);
    }
    return rects;
}

template <size_t N>
std::vector<SkinRect> regions(const std::array<SkinRect, N>& table, int first = 0, int last = N - 1) {
    return std::vector<SkinRect>(table.begin() + first, table.begin() + last + 1);
}

std::string imageName(int image) {
    std::string name(kSkinFileNames[image]);
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

// --- Every file, at both scales -------------------------------------------------------------

class SkinFile : public testing::TestWithParam<int> {};

TEST_P(SkinFile, DecodesAndHasItsTwiceSizeVersion) {
    const QImage normal = loadSkin(GetParam(), 1);
    const QImage twice = loadSkin(GetParam(), 2);
    ASSERT_FALSE(normal.isNull());
    ASSERT_FALSE(twice.isNull());
    EXPECT_EQ(twice.size(), normal.size() * 2);
}

INSTANTIATE_TEST_SUITE_P(AllImages, SkinFile, testing::Range(0, kSkinImageCount),
                         [](const auto& info) { return imageName(info.param); });

// --- Masks ------------------------------------------------------------------------------------

struct MaskCase {
    const char* name;
    int mask;
    std::vector<SkinRect> rects;  // every rectangle that must be inside the window's outline
};

class SkinMask : public testing::TestWithParam<std::tuple<MaskCase, int>> {};

TEST_P(SkinMask, KeyOutsideAndInsideColourUnderEveryRectangle) {
    const auto& [c, scale] = GetParam();
    const QImage mask = loadSkin(c.mask, scale);
    ASSERT_FALSE(mask.isNull());
    const QRgb key = mask.pixel(0, 0);
    const QRgb inside = mask.pixel(50, 50);
    ASSERT_NE(key, inside);
    const int w = mask.width() - 1, h = mask.height() - 1;
    EXPECT_EQ(mask.pixel(w, 0), key);
    EXPECT_EQ(mask.pixel(0, h), key);
    EXPECT_EQ(mask.pixel(w, h), key);
    for (const SkinRect& r : c.rects) {
        for (const auto& [x, y] : {std::pair{r.x, r.y},
                                   {r.right() - 1, r.y},
                                   {r.x, r.bottom() - 1},
                                   {r.right() - 1, r.bottom() - 1}}) {
            EXPECT_EQ(mask.pixel(x * scale, y * scale), inside) << "corner " << x << "," << y;
        }
    }
    int stray = 0;
    for (int y = 0; y <= h; ++y) {
        for (int x = 0; x <= w; ++x) stray += mask.pixel(x, y) != key && mask.pixel(x, y) != inside;
    }
    EXPECT_EQ(stray, 0) << "pixels that are neither the key nor the inside colour";
}

std::vector<SkinRect> join(std::vector<SkinRect> a, const std::vector<SkinRect>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.name; }

const MaskCase kMaskCases[] = {
    {"main", kMainMask,
     join(join(pageItems(kBasicPage), pageItems(kAdvancedPage)), pageItems(kColourPage))},
    {"single_key", kSingleKeyMask, regions(kSingleKeyRegions)},
    {"macro", kMacroMask, join(regions(kMacroEditorRegions), regions(kChoiceRegions))},
};

INSTANTIATE_TEST_SUITE_P(AllMasks, SkinMask,
                         testing::Combine(testing::ValuesIn(kMaskCases), testing::Values(1, 2)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_x" +
                                    std::to_string(std::get<1>(info.param));
                         });

// --- Pictures hold their rectangles and match their window -----------------------------------

struct PictureCase {
    int image;
    int mask;  // the window's mask: the picture has its size
    std::vector<SkinRect> rects;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << kSkinFileNames[c.image]; }

class SkinPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(SkinPicture, HasTheWindowSizeAndHoldsEveryRectangle) {
    const PictureCase& c = GetParam();
    const QSize size = logicalSize(c.image);
    EXPECT_EQ(size, logicalSize(c.mask));
    const QRect bounds(QPoint(0, 0), size);
    for (const SkinRect& r : c.rects) {
        EXPECT_TRUE(bounds.contains(QRect(r.x, r.y, r.w, r.h)))
            << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
}

std::vector<PictureCase> pictureCases() {
    const auto main = [](int page) { return join(pageItems(page), pageItems(kCommonPage)); };
    const auto choice = regions(kChoiceRegions);
    const auto editor = regions(kMacroEditorRegions);
    return {
        {kMainNormal, kMainMask, main(kBasicPage)},
        {kMainOver, kMainMask, main(kBasicPage)},
        {kMainDown, kMainMask, main(kBasicPage)},
        {kMainNormalSide, kMainMask, main(kBasicPage)},
        {kAdvancedNormal, kMainMask, main(kAdvancedPage)},
        {kAdvancedOver, kMainMask, main(kAdvancedPage)},
        {kAdvancedDown, kMainMask, main(kAdvancedPage)},
        {kColorNormal, kMainMask, main(kColourPage)},
        {kColorOver, kMainMask, main(kColourPage)},
        {kColorDown, kMainMask, main(kColourPage)},
        {kSingleKeyNormal, kSingleKeyMask, regions(kSingleKeyRegions)},
        {kSingleKeyOver, kSingleKeyMask, regions(kSingleKeyRegions)},
        {kSingleKeyDown, kSingleKeyMask, regions(kSingleKeyRegions)},
        {kMacroNormal, kMacroMask, editor},
        {kMacroDown, kMacroMask, join(editor, choice)},
        {kMacroChoice, kMacroMask, choice},
    };
}

INSTANTIATE_TEST_SUITE_P(AllPictures, SkinPicture, testing::ValuesIn(pictureCases()),
                         [](const auto& info) { return imageName(info.param.image); });

TEST(SkinMainWindow, IsAboutEightHundredBySixHundred) {
    const QSize size = logicalSize(kMainMask);
    EXPECT_GE(size.width(), 780);
    EXPECT_LE(size.width(), 820);
    EXPECT_GE(size.height(), 580);
    EXPECT_LE(size.height(), 620);
}

// --- Three-state strips --------------------------------------------------------------------------

struct StripCase {
    const char* name;
    int image;
    std::vector<SkinRect> rects;  // the regions a third is copied into, at their top-left corner
};

void PrintTo(const StripCase& c, std::ostream* os) { *os << c.name; }

class SkinStrip : public testing::TestWithParam<StripCase> {};

TEST_P(SkinStrip, ThirdsFitEveryRegion) {
    const StripCase& c = GetParam();
    const QSize size = logicalSize(c.image);
    ASSERT_EQ(size.height() % 3, 0);
    for (const SkinRect& r : c.rects) {
        EXPECT_LE(size.width(), r.w) << "region at " << r.x << "," << r.y;
        EXPECT_LE(size.height() / 3, r.h) << "region at " << r.x << "," << r.y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothStrips, SkinStrip,
    testing::Values(StripCase{"button", kButtonStrip,
                              regions(kMacroEditorRegions, kFirstButtonRegion, kLastButtonRegion)},
                    StripCase{"check", kCheckStrip,
                              regions(kMacroEditorRegions, kFirstCheckRegion, kLastCheckRegion)}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Captions stay readable ------------------------------------------------------------------------

double luminance(QRgb rgb) {
    const auto channel = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

// The contrast of `text` against the background of `area`, taken at its 90th percentile of
// luminance so that thin edges and marks do not count.
double contrastOver(const QImage& image, const QRect& area, QColor text) {
    std::vector<double> levels;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) levels.push_back(luminance(image.pixel(x, y)));
    }
    std::sort(levels.begin(), levels.end());
    const double back = levels[levels.size() * 9 / 10];
    const double fore = luminance(text.rgb());
    return (std::max(fore, back) + 0.05) / (std::min(fore, back) + 0.05);
}

struct CaptionCase {
    const char* name;
    int image;
    QColor text;
    std::vector<SkinRect> rects;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.name; }

class SkinCaption : public testing::TestWithParam<CaptionCase> {};

TEST_P(SkinCaption, ContrastAtLeastFourAndAHalf) {
    const CaptionCase& c = GetParam();
    const QImage image = loadSkin(c.image, 1);
    for (const SkinRect& r : c.rects) {
        const QRect area = QRect(r.x, r.y, r.w, r.h).adjusted(2, 2, -2, -2);
        EXPECT_GE(contrastOver(image, area, c.text), 4.5) << "rectangle at " << r.x << "," << r.y;
    }
}

// Where a caption is drawn: items with a caption (their text area past the 18-pixel box for check
// and radio rows); sliders, steppers, the bare radio, the colour wheel and swatches, hide and close
// draw none.
std::vector<SkinRect> captionAreas(int page) {
    static const std::vector<int> kNoCaption = {17, 18, 26, 27, 30, 31, 34,  35, 46,
                                                47, 51, 70, 78, 79, 80, 123, 124};
    static const std::vector<int> kBoxed = {14, 15, 16, 24, 25, 28, 29, 32, 33, 69, 71};
    std::vector<SkinRect> areas;
    for (int item = 0; item < kItemCount; ++item) {
        if (!ItemOnPage(item, page) || kItemRects[item].empty() || (item >= 103 && item <= 112)) continue;
        if (std::find(kNoCaption.begin(), kNoCaption.end(), item) != kNoCaption.end()) continue;
        SkinRect r = kItemRects[item];
        if (std::find(kBoxed.begin(), kBoxed.end(), item) != kBoxed.end())
            r = {r.x + 18, r.y, r.w - 18, r.h};
        areas.push_back(r);
    }
    return areas;
}

const QColor kGrey(0xb4, 0xb4, 0xb4);
const QColor kWhite(Qt::white);
const QColor kDialogBlue(0x00, 0x78, 0xfa);

std::vector<CaptionCase> captionCases() {
    const auto strip = [](int image, int third, int skip) {
        const QSize size = logicalSize(image);
        return std::vector<SkinRect>{
            {skip, third * size.height() / 3, size.width() - skip, size.height() / 3}};
    };
    return {
        {"main_normal_grey", kMainNormal, kGrey, captionAreas(kBasicPage)},
        {"main_normal_side_grey", kMainNormalSide, kGrey, captionAreas(kBasicPage)},
        {"main_over_white", kMainOver, kWhite, captionAreas(kBasicPage)},
        {"main_down_white", kMainDown, kWhite, captionAreas(kBasicPage)},
        {"advanced_normal_grey", kAdvancedNormal, kGrey, captionAreas(kAdvancedPage)},
        {"advanced_over_white", kAdvancedOver, kWhite, captionAreas(kAdvancedPage)},
        {"advanced_down_white", kAdvancedDown, kWhite, captionAreas(kAdvancedPage)},
        {"single_key_normal_blue", kSingleKeyNormal, kDialogBlue, regions(kSingleKeyRegions, 1, 2)},
        {"single_key_down_white", kSingleKeyDown, kWhite, regions(kSingleKeyRegions)},
        {"macro_normal_grey_list", kMacroNormal, kGrey, regions(kMacroEditorRegions, 0, 1)},
        {"macro_normal_blue", kMacroNormal, kDialogBlue, regions(kMacroEditorRegions, 16, 17)},
        {"macro_down_white", kMacroDown, kWhite, regions(kMacroEditorRegions, 16, 17)},
        {"macro_choice_grey_lists", kMacroChoice, kGrey, regions(kChoiceRegions, 2, 3)},
        {"macro_choice_blue", kMacroChoice, kDialogBlue, regions(kChoiceRegions, 4, 5)},
        {"button_rest_grey", kButtonStrip, kGrey, strip(kButtonStrip, 0, 12)},
        {"button_hot_white", kButtonStrip, kWhite, strip(kButtonStrip, 2, 12)},
        {"check_rest_grey", kCheckStrip, kGrey, strip(kCheckStrip, 0, 18)},
        {"check_on_white", kCheckStrip, kWhite, strip(kCheckStrip, 1, 18)},
        {"check_hot_white", kCheckStrip, kWhite, strip(kCheckStrip, 2, 18)},
    };
}

INSTANTIATE_TEST_SUITE_P(AllCaptions, SkinCaption, testing::ValuesIn(captionCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace voltrane

#include <gtest/gtest.h>

#include <string>

#include "skin/dialog_regions.h"
#include "skin/item_rects.h"
#include "skin/skin_files.h"

namespace voltrane {
namespace {

// Rows of the item table at the start and end of each group, and items that have no rectangle.
struct ItemRow {
    int item;
    SkinRect rect;
};
const ItemRow kItemRows[] = {
    {0, {284, 157, 100, 24}},
    {6, {284, 329, 124, 24}},
    {7, {}},
    {13, {454, 442, 241, 12}},
    {19, {}},
    {23, {674, 350, 60, 18}},
    {35, {735, 259, 20, 10}},
    {39, {700, 250, 35, 16}},
    {47, {743, 456, 20, 10}},
    {51, {468, 454, 237, 16}},
    {55, {700, 447, 35, 16}},
    {57, {29, 151, 135, 21}},
    {68, {475, 418, 84, 23}},
    {70, {33, 302, 16, 16}},
    {80, {72, 416, 237, 16}},
    {81, {470, 236, 100, 18}},
    {86, {649, 230, 115, 240}},
    {87, {}},
    {103, {250, 227, 150, 150}},
    {112, {702, 384, 30, 30}},
    {113, {}},
    {119, {307, 510, 50, 22}},
    {124, {749, 16, 34, 22}},
    {127, {}},
    {130, {701, 543, 80, 30}},
};

TEST(SkinLayout, ItemRectangles) {
    for (const ItemRow& row : kItemRows) EXPECT_EQ(kItemRects[row.item], row.rect) << "item " << row.item;
}

TEST(SkinLayout, EveryItemInsideTheMainWindow) {
    for (int item = 0; item < kItemCount; ++item) {
        const SkinRect& r = kItemRects[item];
        if (r.empty()) continue;
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.right() <= kMainWindowWidth &&
                    r.bottom() <= kMainWindowHeight)
            << "item " << item;
    }
}

TEST(SkinLayout, ItemPages) {
    const std::pair<int, SkinPage> rows[] = {
        {0, kBasicPage},    {55, kBasicPage},   {56, kAdvancedPage}, {86, kAdvancedPage}, {87, kColourPage},
        {112, kColourPage}, {113, kCommonPage}, {130, kCommonPage},  {131, kCommonPage},  {-1, kCommonPage},
    };
    for (const auto& [item, page] : rows) EXPECT_EQ(ItemPage(item), page) << "item " << item;
}

TEST(SkinLayout, ItemOnPage) {
    struct Row {
        int item, page;
        bool on;
    };
    const Row rows[] = {
        {13, kBasicPage, true},     {13, kAdvancedPage, false}, {86, kAdvancedPage, true},
        {86, kBasicPage, false},    {103, kColourPage, true},   {103, kBasicPage, false},
        {120, kAdvancedPage, true}, {125, kColourPage, true},   {131, kBasicPage, false},
        {-1, kBasicPage, false},
    };
    for (const Row& row : rows) EXPECT_EQ(ItemOnPage(row.item, row.page), row.on) << "item " << row.item;
}

// Regions as the dialog tables give them: left, top, right, bottom.
struct RegionRow {
    const char* dialog;
    SkinRect rect;
    int left, top, right, bottom;
};

TEST(SkinLayout, DialogRegionEdges) {
    const RegionRow rows[] = {
        {"single 0", kSingleKeyRegions[0], 33, 98, 333, 116},
        {"single 2", kSingleKeyRegions[2], 379, 207, 439, 235},
        {"choice 0", kChoiceRegions[0], 15, 93, 160, 105},
        {"choice 3", kChoiceRegions[3], 255, 112, 640, 364},
        {"choice 5", kChoiceRegions[5], 568, 427, 644, 457},
        {"editor 1", kMacroEditorRegions[1], 136, 286, 176, 299},
        {"editor 4", kMacroEditorRegions[4], 15, 280, 133, 303},
        {"editor 13", kMacroEditorRegions[13], 15, 200, 115, 223},
        {"editor 15", kMacroEditorRegions[15], 181, 292, 201, 302},
        {"editor 17", kMacroEditorRegions[17], 568, 427, 644, 457},
    };
    for (const RegionRow& row : rows) {
        EXPECT_EQ(row.rect, RectFromEdges(row.left, row.top, row.right, row.bottom)) << row.dialog;
        EXPECT_TRUE(row.rect.contains(row.left, row.top)) << row.dialog;
        EXPECT_FALSE(row.rect.contains(row.right, row.bottom - 1)) << row.dialog;
        EXPECT_FALSE(row.rect.contains(row.right - 1, row.bottom)) << row.dialog;
    }
}

TEST(SkinLayout, EmptyRectangleHoldsNoPoint) {
    EXPECT_TRUE(SkinRect{}.empty());
    EXPECT_FALSE(SkinRect{}.contains(0, 0));
}

TEST(SkinLayout, SliderThumbStaysOnItsTrack) {
    for (const SliderGeometry& s : kSliders) {
        const SkinRect& track = kItemRects[s.item];
        EXPECT_LE(track.x + s.thumbOffset + s.step * s.maxValue + kThumbWidth, track.right()) << s.item;
        EXPECT_LE(kThumbHeight, track.h) << s.item;
    }
}

TEST(SkinLayout, HiDpiFileNames) {
    const std::pair<std::string, std::string> rows[] = {
        {"main_normal.jpg", "main_normal@2x.jpg"},
        {"arrow_up.bmp", "arrow_up@2x.bmp"},
        {"plain", "plain@2x"},
    };
    for (const auto& [name, twice] : rows) EXPECT_EQ(HiDpiFileName(name), twice);
}

}  // namespace
}  // namespace voltrane

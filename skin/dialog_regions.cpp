#include "skin/dialog_regions.h"

namespace voltrane {

const std::array<SkinRect, 3> kSingleKeyRegions = {{
    {33, 98, 300, 18},
    {312, 207, 58, 28},
    {379, 207, 60, 28},
}};

const std::array<SkinRect, 6> kChoiceRegions = {{
    RectFromEdges(15, 93, 160, 105),
    RectFromEdges(255, 93, 350, 105),
    RectFromEdges(15, 112, 200, 364),
    RectFromEdges(255, 112, 640, 364),
    RectFromEdges(481, 427, 558, 457),
    RectFromEdges(568, 427, 644, 457),
}};

const std::array<SkinRect, 18> kMacroEditorRegions = {{
    RectFromEdges(255, 112, 640, 364),
    RectFromEdges(136, 286, 176, 299),
    RectFromEdges(15, 230, 240, 247),
    RectFromEdges(15, 250, 240, 267),
    RectFromEdges(15, 280, 133, 303),
    RectFromEdges(15, 310, 133, 333),
    RectFromEdges(130, 310, 230, 333),
    RectFromEdges(15, 140, 115, 163),
    RectFromEdges(130, 140, 230, 163),
    RectFromEdges(130, 170, 230, 193),
    RectFromEdges(15, 110, 115, 133),
    RectFromEdges(15, 170, 115, 193),
    RectFromEdges(130, 110, 230, 133),
    RectFromEdges(15, 200, 115, 223),
    RectFromEdges(181, 280, 201, 290),
    RectFromEdges(181, 292, 201, 302),
    RectFromEdges(481, 427, 558, 457),
    RectFromEdges(568, 427, 644, 457),
}};

}  // namespace voltrane

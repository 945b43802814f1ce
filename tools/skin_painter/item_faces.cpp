#include "tools/skin_painter/item_faces.h"

#include <algorithm>

#include "skin/item_rects.h"
#include "tools/skin_painter/colour_controls.h"
#include "tools/skin_painter/controls.h"

namespace voltrane::skinpaint {

namespace {
enum class Face {
    None,
    ButtonSlot,
    FixedButtonSlot,
    Heading,
    Label,
    RadioRow,
    BareRadio,
    CheckRow,
    StepperUp,
    StepperDown,
    Segment,
    NumberBox,
    Slider,
    PushButton,
    Well,
    ColourWheel,
    Swatch,
    HideButton,
    CloseButton,
    Tab,
};

// Runs of item numbers that share a face; items in no run have none.
struct FaceRun {
    int first, last;
    Face face;
};
constexpr FaceRun kFaceRuns[] = {
    {0, 0, Face::FixedButtonSlot}, {1, 6, Face::ButtonSlot},     {10, 12, Face::Heading},
    {13, 13, Face::Label},         {14, 15, Face::RadioRow},     {16, 16, Face::CheckRow},
    {17, 17, Face::StepperUp},     {18, 18, Face::StepperDown},  {20, 23, Face::Segment},
    {24, 25, Face::RadioRow},      {26, 26, Face::StepperUp},    {27, 27, Face::StepperDown},
    {28, 29, Face::RadioRow},      {30, 30, Face::StepperUp},    {31, 31, Face::StepperDown},
    {32, 33, Face::RadioRow},      {34, 34, Face::StepperUp},    {35, 35, Face::StepperDown},
    {36, 39, Face::NumberBox},     {46, 46, Face::StepperUp},    {47, 47, Face::StepperDown},
    {51, 51, Face::Slider},        {55, 55, Face::NumberBox},    {57, 60, Face::Heading},
    {61, 63, Face::Label},         {64, 68, Face::PushButton},   {69, 69, Face::CheckRow},
    {70, 70, Face::BareRadio},     {71, 71, Face::RadioRow},     {78, 80, Face::Slider},
    {81, 81, Face::Well},          {85, 86, Face::Well},         {88, 95, Face::Segment},
    {96, 100, Face::Heading},      {101, 101, Face::NumberBox},  {102, 102, Face::Heading},
    {103, 103, Face::ColourWheel}, {104, 112, Face::Swatch},     {114, 114, Face::Label},
    {115, 119, Face::Segment},     {120, 122, Face::PushButton}, {123, 123, Face::HideButton},
    {124, 124, Face::CloseButton}, {125, 126, Face::Tab},        {128, 130, Face::PushButton},
};

Face faceOf(int item) {
    for (const FaceRun& run : kFaceRuns) {
        if (item >= run.first && item <= run.last) return run.face;
    }
    return Face::None;
}

void drawSlider(QPainter& p, int item, const QRectF& r, State state) {
    const auto slider = std::find_if(std::begin(kSliders), std::end(kSliders),
                                     [item](const SliderGeometry& s) { return s.item == item; });
    drawSliderTrack(p, r, slider->thumbOffset, slider->step, slider->maxValue, state);
}
}  // namespace

void drawItemFace(QPainter& p, int item, State state) {
    const SkinRect& rect = kItemRects[item];
    if (rect.empty()) return;
    const QRectF r = toRectF(rect);
    switch (faceOf(item)) {
        case Face::None:
            return;
        case Face::ButtonSlot:
            return drawButtonSlot(p, r, true, state);
        case Face::FixedButtonSlot:
            return drawButtonSlot(p, r, false, state);
        case Face::Heading:
            return drawHeading(p, r, state);
        case Face::Label:
            return drawLabel(p, r, state);
        case Face::RadioRow:
            return drawRadioRow(p, r, state, false);
        case Face::BareRadio:
            return drawRadioRow(p, r, state, true);
        case Face::CheckRow:
            return drawCheckRow(p, r, state);
        case Face::StepperUp:
            return drawStepper(p, r, true, state);
        case Face::StepperDown:
            return drawStepper(p, r, false, state);
        case Face::Segment:
            return drawSegment(p, r, state);
        case Face::NumberBox:
            return drawNumberBox(p, r, state);
        case Face::Slider:
            return drawSlider(p, item, r, state);
        case Face::PushButton:
            return drawPushButton(p, r, state);
        case Face::Well:
            return drawWell(p, r, state);
        case Face::ColourWheel:
            return drawColourWheel(p, r, state);
        case Face::Swatch:
            return drawSwatch(p, item, r, state);
        case Face::HideButton:
            return drawWindowButton(p, r, false, state);
        case Face::CloseButton:
            return drawWindowButton(p, r, true, state);
        case Face::Tab:
            return drawTab(p, r, state);
    }
}

}  // namespace voltrane::skinpaint

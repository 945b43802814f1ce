#include "skin/dialog_regions.h"
#include "tools/skin_painter/controls.h"
#include "tools/skin_painter/dialog_frame.h"
#include "tools/skin_painter/dialogs.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"
#include "tools/skin_painter/strips.h"

namespace voltrane::skinpaint {

namespace {
constexpr qreal kHeader = 80;
constexpr qreal kFooter = 405;
constexpr int kListRows = 21;
constexpr int kRowHeight = 12;
const QSizeF kSize(kMacroDialogWidth, kMacroDialogHeight);

// A list well with faint bands on every other 12-pixel row.
void drawListWell(QPainter& p, const SkinRect& region) {
    const QRectF r = toRectF(region);
    drawRecess(p, r.adjusted(-3, -3, 3, 3), 4);
    for (int row = 1; row < kListRows; row += 2) {
        p.fillRect(QRectF(r.left(), r.top() + row * kRowHeight, r.width(), kRowHeight),
                   withAlpha(Qt::white, 6));
    }
}

// The underline of a list heading.
void drawHeadingRule(QPainter& p, const SkinRect& heading, qreal width) {
    const QRectF r = toRectF(heading);
    p.fillRect(QRectF(r.left(), r.bottom() + 1, 3, 1.5), kAccentLight);
    drawFadingLine(p, QPointF(r.left(), r.bottom() + 1.5), width, kAccentDeep);
}

// The editor's left panel with every button and check box at rest.
void drawControlPanel(QPainter& p) {
    const QRectF panel(8, 102, 240, 240);
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(kStripBase);
    p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    p.setBrush(Qt::NoBrush);
    for (int region = kFirstCheckRegion; region <= kLastCheckRegion; ++region) {
        drawCheckFace(p, toRectF(kMacroEditorRegions[region]).topLeft(), State::Normal);
    }
    for (int region = kFirstButtonRegion; region <= kLastButtonRegion; ++region) {
        drawButtonFace(p, toRectF(kMacroEditorRegions[region]).topLeft(), State::Normal);
    }
    drawNumberBox(p, toRectF(kMacroEditorRegions[1]).adjusted(-2, -2, 2, 2), State::Normal);
}

void drawOkCancel(QPainter& p, const SkinRect& ok, const SkinRect& cancel, State state) {
    drawDialogButton(p, toRectF(ok), state);
    drawDialogButton(p, toRectF(cancel), state);
}
}  // namespace

QImage paintMacroEditor(State state, int scale) {
    return paintPicture(kSize.toSize(), scale, [state](QPainter& p) {
        drawDialogFrame(p, kSize, kHeader, kFooter);
        drawControlPanel(p);
        drawListWell(p, kMacroEditorRegions[0]);
        drawStepper(p, toRectF(kMacroEditorRegions[kSpinUpRegion]), true, state);
        drawStepper(p, toRectF(kMacroEditorRegions[kSpinDownRegion]), false, state);
        drawOkCancel(p, kMacroEditorRegions[16], kMacroEditorRegions[17], state);
    });
}

QImage paintMacroChoice(int scale) {
    return paintPicture(kSize.toSize(), scale, [](QPainter& p) {
        drawDialogFrame(p, kSize, kHeader, kFooter);
        drawHeadingRule(p, kChoiceRegions[0], kChoiceRegions[2].w);
        drawHeadingRule(p, kChoiceRegions[1], kChoiceRegions[3].w);
        drawListWell(p, kChoiceRegions[2]);
        drawListWell(p, kChoiceRegions[3]);
        drawOkCancel(p, kChoiceRegions[4], kChoiceRegions[5], State::Normal);
    });
}

}  // namespace voltrane::skinpaint

#include <QLinearGradient>

#include "skin/dialog_regions.h"
#include "tools/skin_painter/dialog_frame.h"
#include "tools/skin_painter/dialogs.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
constexpr qreal kHeader = 60;
constexpr qreal kFooter = 195;

// A key cap seen slightly from above: the sign of the dialog.
void drawKeyCap(QPainter& p, const QRectF& r) {
    QLinearGradient side(r.topLeft(), r.bottomLeft());
    side.setColorAt(0, QColor(0x2a, 0x31, 0x3b));
    side.setColorAt(1, QColor(0x0c, 0x0f, 0x13));
    p.setPen(QPen(kAccentDeep, 1.2));
    p.setBrush(side);
    p.drawRoundedRect(r, 8, 8);
    const QRectF top = r.adjusted(7, 5, -7, -13);
    QLinearGradient face(top.topLeft(), top.bottomLeft());
    face.setColorAt(0, QColor(0x3e, 0x48, 0x56));
    face.setColorAt(1, QColor(0x22, 0x29, 0x32));
    p.setPen(QPen(withAlpha(kAccentLight, 160), 1));
    p.setBrush(face);
    p.drawRoundedRect(top, 5, 5);
    p.setBrush(Qt::NoBrush);
    drawGlowDot(p, QPointF(r.center().x(), r.bottom() - 6), 2, kAccentLight);
}

// The well the captured combination is shown in, a little larger than its region.
void drawCaptureField(QPainter& p) {
    const QRectF field = toRectF(kSingleKeyRegions[0]).adjusted(-6, -10, 6, 10);
    drawRecess(p, field, 5);
    drawFadingLine(p, QPointF(field.left(), field.bottom() - 1.5), field.width(), kAccent);
}
}  // namespace

QImage paintSingleKey(State state, int scale) {
    const QSizeF size(kSingleKeyWidth, kSingleKeyHeight);
    return paintPicture(size.toSize(), scale, [&](QPainter& p) {
        drawDialogFrame(p, size, kHeader, kFooter);
        drawCaptureField(p);
        drawKeyCap(p, QRectF(362, 80, 56, 50));
        drawDialogButton(p, toRectF(kSingleKeyRegions[1]), state);
        drawDialogButton(p, toRectF(kSingleKeyRegions[2]), state);
    });
}

}  // namespace voltrane::skinpaint

#include "tools/skin_painter/colour_controls.h"

#include <QConicalGradient>
#include <QRadialGradient>

#include "settings/mouse_setting.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

void drawColourWheel(QPainter& p, const QRectF& r, State state) {
    const QPointF c = r.center();
    const qreal outer = std::min(r.width(), r.height()) / 2 - 4;
    QConicalGradient hues(c, 90);
    for (int i = 0; i <= 6; ++i) hues.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 200, 230));
    p.setPen(Qt::NoPen);
    p.setBrush(hues);
    p.drawEllipse(c, outer, outer);
    QRadialGradient hub(c, outer * 0.62);
    hub.setColorAt(0, kPanelTop);
    hub.setColorAt(1, kRecess);
    p.setBrush(hub);
    p.drawEllipse(c, outer * 0.62, outer * 0.62);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(state == State::Normal ? kPanelEdge : kAccentLight, state == State::Normal ? 1.5 : 2.5));
    p.drawEllipse(c, outer + 1, outer + 1);
}

void drawSwatch(QPainter& p, int item, const QRectF& r, State state) {
    const uint32_t bgr = static_cast<uint32_t>(kDefaultItems[item]);
    const QColor colour(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
    drawFace(p, r, 3, state);
    const QRectF chip = r.adjusted(4, r.height() - 9, -4, -4);
    p.setPen(QPen(withAlpha(Qt::white, 40), 1));
    p.setBrush(colour);
    p.drawRoundedRect(chip, 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
}

}  // namespace voltrane::skinpaint

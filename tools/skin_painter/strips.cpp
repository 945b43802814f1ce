#include "tools/skin_painter/strips.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "skin/item_rects.h"
#include "tools/skin_painter/controls.h"
#include "tools/skin_painter/palette.h"
#include "tools/skin_painter/primitives.h"

namespace voltrane::skinpaint {

namespace {
constexpr State kStripStates[] = {State::Normal, State::On, State::Hot};

QImage paintStrip(QSize face, int scale, void (*drawFaceAt)(QPainter&, QPointF, State)) {
    return paintPicture(QSize(face.width(), face.height() * 3), scale, [&](QPainter& p) {
        p.fillRect(QRectF(0, 0, face.width(), face.height() * 3), kStripBase);
        for (int i = 0; i < 3; ++i) drawFaceAt(p, QPointF(0, face.height() * i), kStripStates[i]);
    });
}

// The thumb's outline in its 8 x 16 box: a rounded grip ending in a point.
QPainterPath thumbShape(bool pointingDown) {
    QPainterPath path;
    path.moveTo(0.6, 1.5);
    path.quadTo(0.6, 0.4, 2, 0.4);
    path.lineTo(6, 0.4);
    path.quadTo(7.4, 0.4, 7.4, 1.5);
    path.lineTo(7.4, 10.5);
    path.lineTo(4, 15.4);
    path.lineTo(0.6, 10.5);
    path.closeSubpath();
    if (pointingDown) return path;
    return QTransform(1, 0, 0, -1, 0, kThumbHeight).map(path);
}
}  // namespace

void drawButtonFace(QPainter& p, QPointF at, State state) {
    const QRectF r(at, kButtonFaceSize);
    p.fillRect(r, kStripBase);
    drawFace(p, r, 4, state);
    const QPointF led(r.left() + 7, r.center().y());
    if (state == State::Normal) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2c, 0x38, 0x48));
        p.drawEllipse(led, 2, 2);
        p.setBrush(Qt::NoBrush);
    } else {
        drawGlowDot(p, led, 2, kAccentLight);
    }
}

void drawCheckFace(QPainter& p, QPointF at, State state) {
    const QRectF r(at, kCheckFaceSize);
    p.fillRect(r, kStripBase);
    drawCheckRow(p, r, state);
}

QImage paintButtonStrip(int scale) { return paintStrip(kButtonFaceSize, scale, drawButtonFace); }

QImage paintCheckStrip(int scale) { return paintStrip(kCheckFaceSize, scale, drawCheckFace); }

QImage paintThumb(bool pointingDown, int scale) {
    QImage image(QSize(kThumbWidth, kThumbHeight) * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QLinearGradient metal(QPointF(0, 0), QPointF(kThumbWidth, 0));
    metal.setColorAt(0, QColor(0x9c, 0xcd, 0xff));
    metal.setColorAt(0.45, QColor(0xf2, 0xf8, 0xff));
    metal.setColorAt(1, QColor(0x5a, 0x86, 0xc0));
    p.setPen(QPen(kAccent, 0.8));
    p.setBrush(metal);
    p.drawPath(thumbShape(pointingDown));
    p.setPen(QPen(QColor(0x2a, 0x5c, 0xa8), 0.8));
    for (const qreal y : {4.5, 6.5, 8.5}) {
        const qreal line = pointingDown ? y : kThumbHeight - y;
        p.drawLine(QPointF(2.2, line), QPointF(5.8, line));
    }
    return image;
}

}  // namespace voltrane::skinpaint

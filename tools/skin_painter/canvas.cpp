#include "tools/skin_painter/canvas.h"

#include <QPainterPath>

#include "tools/skin_painter/palette.h"

namespace voltrane::skinpaint {

QImage paintPicture(QSize size, int scale, const Draw& draw) {
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(kBaseBottom);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    draw(painter);
    return image;
}

QImage paintMask(QSize size, int scale, const QPainterPath& shape) {
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(kMaskKey);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.fillPath(shape, kMaskInside);
    return image;
}

}  // namespace voltrane::skinpaint

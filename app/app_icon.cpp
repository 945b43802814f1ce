#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "skin/skin_colours.h"

namespace voltrane {

namespace {

constexpr qreal kGrid = 64;             // the icon is drawn on a grid of 64 x 64 units
constexpr int kSizes[] = {16, 32, 64};  // the pixel sizes the icon offers

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    painter.setPen(QPen(kIconTileEdge, 2));
    painter.setBrush(kIconTileFill);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    QLinearGradient body(0, 12, 0, 54);
    body.setColorAt(0, kIconBodyLight);
    body.setColorAt(1, kIconBodyDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(20, 11, 24, 43), 12, 12);
    painter.setPen(QPen(kIconSeam, 2));
    painter.drawLine(QPointF(32, 12), QPointF(32, 28));
    painter.drawLine(QPointF(21, 28), QPointF(43, 28));
    return pixmap;
}

}  // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : kSizes) icon.addPixmap(drawIcon(size));
    return icon;
}

}  // namespace voltrane

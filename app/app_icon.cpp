#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace voltrane {

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(QPen(QColor(0x07, 0x6F, 0xB8), 2));
    painter.setBrush(QColor(0x11, 0x15, 0x1C));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    QLinearGradient body(0, 12, 0, 54);
    body.setColorAt(0, QColor(0x33, 0x99, 0xFF));
    body.setColorAt(1, QColor(0x00, 0x4C, 0xA8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(20, 11, 24, 43), 12, 12);
    painter.setPen(QPen(QColor(0x0B, 0x0E, 0x13), 2));
    painter.drawLine(QPointF(32, 12), QPointF(32, 28));
    painter.drawLine(QPointF(21, 28), QPointF(43, 28));
    return pixmap;
}

}  // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) icon.addPixmap(drawIcon(size));
    return icon;
}

}  // namespace voltrane

#include "skin/skin_images.h"

#include <QFileInfo>
#include <QPainter>

namespace voltrane {

namespace {

// The image at `path`, or its twice-size version beside it when the screen wants one and it exists.
QImage loadImage(const QString& skinDir, std::string_view fileName, qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        QImage sharp(skinDir + QString::fromStdString(HiDpiFileName(fileName)));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QImage(skinDir + QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())));
}

}  // namespace

const QImage& SkinImages::operator[](int index) const {
    static const QImage kNone;
    if (index < 0 || index >= kSkinImageCount) return kNone;
    std::optional<QImage>& image = m_images[static_cast<std::size_t>(index)];
    if (!image)
        image = loadImage(m_skinDir, kSkinFileNames[static_cast<std::size_t>(index)], m_devicePixelRatio);
    return *image;
}

std::optional<QString> LoadSkinImages(SkinImages& skins, const QString& skinDir, qreal devicePixelRatio) {
    skins = SkinImages();
    skins.m_skinDir = skinDir;
    skins.m_devicePixelRatio = devicePixelRatio;
    for (const std::string_view name : kSkinFileNames) {
        const QString path = skinDir + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        if (!QFileInfo::exists(path)) return path;
    }
    skins.mainOutline = MaskOutline(skins[kMainMask]);
    skins.thumb = WithTransparentColour(skins[kArrowDown], qRgb(0, 0, 0));
    return std::nullopt;
}

QImage WithTransparentColour(const QImage& image, QRgb key) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QImage keyMask = image.createMaskFromColor(key, Qt::MaskOutColor);
    result.setAlphaChannel(keyMask.convertToFormat(QImage::Format_Grayscale8));
    return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage MaskOutline(const QImage& mask) { return WithTransparentColour(mask, MaskPixel(mask, 50, 50)); }

void CopySkinRect(QPainter& painter, const QImage& image, const QRect& rect) {
    const qreal ratio = image.devicePixelRatio();
    const QRectF source(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio);
    painter.drawImage(QRectF(rect), image, source);
}

QRgb MaskPixel(const QImage& mask, int x, int y) {
    const qreal ratio = mask.devicePixelRatio();
    return mask.pixel(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
}

}  // namespace voltrane

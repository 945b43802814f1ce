#include "skin/skin_images.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <filesystem>

#include "settings/atomic_file.h"
#include "skin/skin_colours.h"

namespace voltrane {

SkinImages g_imgSkin;

namespace {

constexpr std::size_t kMaxSkinFileBytes = 64 * 1024 * 1024;
constexpr int kSharpScale = 2;  // a picture for screens of twice the pixels has twice the size
// The mask's pixel whose colour marks the outside of the outline drawn over the window.
constexpr int kOutlineKeyX = 50;
constexpr int kOutlineKeyY = 50;

// The bytes of a regular file, read without blocking on whatever else the name may be.
std::optional<QByteArray> readSkinFile(const QString& path) {
    const std::optional<std::string> bytes =
        ReadFileLimited(std::filesystem::path(path.toStdU16String()), kMaxSkinFileBytes);
    if (!bytes) return std::nullopt;
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

// Whether `bytes` hold a picture of the size skin `index` must have, `scale` times over.
bool hasExpectedSize(QByteArray bytes, int index, int scale) {
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isEmpty()) return false;
    const std::optional<SkinSize> expected = ExpectedSkinSize(index);
    return !expected || size == QSize(expected->width * scale, expected->height * scale);
}

QString fromName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

const QImage& SkinImages::operator[](int index) const {
    static const QImage kNone;
    if (index < 0 || index >= kSkinImageCount) return kNone;
    const auto at = static_cast<std::size_t>(index);
    std::optional<QImage>& image = m_images[at];
    if (!image) {
        image = QImage::fromData(m_files[at]);
        image->setDevicePixelRatio(m_ratios[at]);
    }
    return *image;
}

std::optional<QString> LoadSkinImages(SkinImages& skins, const QString& skinDir, qreal devicePixelRatio) {
    skins = SkinImages();
    for (int index = 0; index < kSkinImageCount; ++index) {
        const auto at = static_cast<std::size_t>(index);
        const std::string_view name = kSkinFileNames[at];
        if (devicePixelRatio > 1.0) {
            const std::optional<QByteArray> sharp = readSkinFile(skinDir + fromName(HiDpiFileName(name)));
            if (sharp && hasExpectedSize(*sharp, index, kSharpScale)) {
                skins.m_files[at] = *sharp;
                skins.m_ratios[at] = kSharpScale;
                continue;
            }
        }
        const QString path = skinDir + fromName(name);
        const std::optional<QByteArray> bytes = readSkinFile(path);
        if (!bytes || !hasExpectedSize(*bytes, index, 1)) return path;
        skins.m_files[at] = *bytes;
        skins.m_ratios[at] = 1.0;
    }
    if (skins[kMainMask].isNull()) return skinDir + fromName(kSkinFileNames[kMainMask]);
    skins.mainOutline = MaskOutline(skins[kMainMask]);
    skins.thumb = WithTransparentColour(skins[kArrowDown], kThumbTransparent.rgb());
    return std::nullopt;
}

// Pixel by pixel: an alpha channel set from a colour mask of a picture of twice the pixels cleared the
// wrong pixels, leaving a band of the key's neighbours opaque along the mask's top-left cut.
QImage WithTransparentColour(const QImage& image, QRgb key) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = key | 0xff000000u;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if ((line[x] | 0xff000000u) == opaqueKey) line[x] = 0;
        }
    }
    return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage MaskOutline(const QImage& mask) {
    return WithTransparentColour(mask, MaskPixel(mask, kOutlineKeyX, kOutlineKeyY));
}

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

#pragma once
// The 23 skin images, loaded once at start-up from the "skins" folder beside the program. On a
// screen whose device pixel ratio is above 1 the twice-size pictures are used where they exist.

#include <QImage>
#include <QString>
#include <array>
#include <optional>

#include "skin/skin_files.h"

class QPainter;
class QRect;

namespace voltrane {

struct SkinImages {
    std::array<QImage, kSkinImageCount> images;
    QImage mainOutline;  // main_mask.bmp with its inside transparent: drawn last over the window
    QImage thumb;        // arrow_down.bmp with black transparent: the slider thumb

    const QImage& operator[](int index) const { return images[static_cast<std::size_t>(index)]; }
};

// Loads every skin image from `skinDir` (ending in "/") in index order, then the outline and thumb.
// Returns the full path of the first missing file, in which case the images loaded so far are kept
// and the rest stay empty.
std::optional<QString> LoadSkinImages(SkinImages& skins, const QString& skinDir, qreal devicePixelRatio);

// `image` with every pixel of colour `key` transparent.
QImage WithTransparentColour(const QImage& image, QRgb key);

// A mask image with its inside (the colour of its pixel (50, 50)) transparent: drawn last over a skinned
// window, its outside takes the colour that cuts the window's outline.
QImage MaskOutline(const QImage& mask);

// Copies the rectangle `rect` (window pixels) of `image` to the same place of `painter`.
void CopySkinRect(QPainter& painter, const QImage& image, const QRect& rect);

// The colour of a mask image at window pixel (x, y).
QRgb MaskPixel(const QImage& mask, int x, int y);

}  // namespace voltrane

#pragma once
// The 23 skin images from the "skins" folder beside the program. Start-up reads every file once (as
// a regular file only, so that nothing in the folder can block it) and checks its size; each picture
// is decoded the first time it is drawn, so the window's first frame waits only for the pictures of
// the page it shows. On a screen whose device pixel ratio is above 1 the twice-size pictures are used
// where they exist and have twice the size.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <optional>

#include "skin/skin_files.h"

class QPainter;
class QRect;

namespace voltrane {

class SkinImages {
public:
    // The picture of skin `index`, decoded on first use; an empty image for an index outside the
    // table or a file that cannot be decoded.
    const QImage& operator[](int index) const;

    QImage mainOutline;  // main_mask.bmp with its inside transparent: drawn last over the window
    QImage thumb;        // arrow_down.bmp with black transparent: the slider thumb

private:
    friend std::optional<QString> LoadSkinImages(SkinImages&, const QString&, qreal);
    std::array<QByteArray, kSkinImageCount> m_files;  // each picture's file as read at start-up
    std::array<qreal, kSkinImageCount> m_ratios{};     // 2 for a twice-size picture, else 1
    mutable std::array<std::optional<QImage>, kSkinImageCount> m_images;
};

// Takes the skin images from `skinDir` (ending in "/"): reads them in index order, then prepares the
// outline and thumb. Returns the full path of the first file that is missing, not a regular file,
// unreadable, or not a picture of its expected size (ExpectedSkinSize; any size but empty for the
// others).
std::optional<QString> LoadSkinImages(SkinImages& skins, const QString& skinDir, qreal devicePixelRatio);

// The skin images of the running program, loaded by start-up and drawn by every skinned window.
extern SkinImages g_imgSkin;

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

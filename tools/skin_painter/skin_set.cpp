#include "tools/skin_painter/skin_set.h"

#include <QDir>

#include "skin/dialog_regions.h"
#include "skin/item_rects.h"
#include "tools/skin_painter/dialog_frame.h"
#include "tools/skin_painter/dialogs.h"
#include "tools/skin_painter/main_frame.h"
#include "tools/skin_painter/main_pages.h"
#include "tools/skin_painter/strips.h"

namespace voltrane::skinpaint {

namespace {
constexpr int kJpegQuality = 95;

QImage paintMain(int page, bool sideView, State state, int scale) {
    return paintMainPage({page, sideView, state}, scale);
}

QImage paintDialogMask(QSize size, int scale) { return paintMask(size, scale, dialogShape(size)); }

bool writeImage(const QImage& image, const QString& path) {
    const bool jpeg = path.endsWith(".jpg");
    return image.save(path, jpeg ? "JPG" : "BMP", jpeg ? kJpegQuality : -1);
}
}  // namespace

QImage paintSkin(SkinImage image, int scale) {
    const QSize single(kSingleKeyWidth, kSingleKeyHeight);
    switch (image) {
        case kMainMask:
            return paintMask(QSize(kMainWindowWidth, kMainWindowHeight), scale, mainWindowShape());
        case kMainNormal:
            return paintMain(kBasicPage, false, State::Normal, scale);
        case kMainOver:
            return paintMain(kBasicPage, false, State::On, scale);
        case kMainDown:
            return paintMain(kBasicPage, false, State::Hot, scale);
        case kAdvancedNormal:
            return paintMain(kAdvancedPage, false, State::Normal, scale);
        case kAdvancedOver:
            return paintMain(kAdvancedPage, false, State::On, scale);
        case kAdvancedDown:
            return paintMain(kAdvancedPage, false, State::Hot, scale);
        case kColorNormal:
            return paintMain(kColourPage, false, State::Normal, scale);
        case kColorOver:
            return paintMain(kColourPage, false, State::On, scale);
        case kColorDown:
            return paintMain(kColourPage, false, State::Hot, scale);
        case kSingleKeyMask:
            return paintDialogMask(single, scale);
        case kSingleKeyNormal:
            return paintSingleKey(State::Normal, scale);
        case kSingleKeyOver:
            return paintSingleKey(State::On, scale);
        case kSingleKeyDown:
            return paintSingleKey(State::Hot, scale);
        case kMacroMask:
            return paintDialogMask(QSize(kMacroDialogWidth, kMacroDialogHeight), scale);
        case kMacroDown:
            return paintMacroEditor(State::Hot, scale);
        case kMacroNormal:
            return paintMacroEditor(State::Normal, scale);
        case kMacroChoice:
            return paintMacroChoice(scale);
        case kArrowUp:
            return paintThumb(false, scale);
        case kArrowDown:
            return paintThumb(true, scale);
        case kButtonStrip:
            return paintButtonStrip(scale);
        case kCheckStrip:
            return paintCheckStrip(scale);
        case kMainNormalSide:
            return paintMain(kBasicPage, true, State::Normal, scale);
    }
    return {};
}

bool writeSkins(const QString& folder, QString& error) {
    if (!QDir().mkpath(folder)) {
        error = folder;
        return false;
    }
    const QDir dir(folder);
    for (int index = 0; index < kSkinImageCount; ++index) {
        const std::string_view name = kSkinFileNames[index];
        for (const int scale : {1, 2}) {
            const std::string file = scale == 1 ? std::string(name) : HiDpiFileName(name);
            const QString path = dir.filePath(QString::fromStdString(file));
            if (!writeImage(paintSkin(static_cast<SkinImage>(index), scale), path)) {
                error = path;
                return false;
            }
        }
    }
    return true;
}

}  // namespace voltrane::skinpaint

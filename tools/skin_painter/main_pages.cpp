#include "tools/skin_painter/main_pages.h"

#include "skin/item_rects.h"
#include "tools/skin_painter/item_faces.h"
#include "tools/skin_painter/main_frame.h"
#include "tools/skin_painter/mouse_pictures.h"
#include "tools/skin_painter/page_backgrounds.h"

namespace voltrane::skinpaint {

namespace {
void drawPageArt(QPainter& p, const MainPicture& picture) {
    switch (picture.page) {
        case kBasicPage:
            drawBasicPanels(p);
            if (picture.sideView) {
                drawMouseFromSide(p);
            } else {
                drawMouseFromAbove(p);
            }
            return;
        case kAdvancedPage:
            return drawAdvancedPanels(p);
        default:
            return drawColourPanels(p);
    }
}
}  // namespace

QImage paintMainPage(const MainPicture& picture, int scale) {
    return paintPicture(QSize(kMainWindowWidth, kMainWindowHeight), scale, [&picture](QPainter& p) {
        drawMainFrame(p);
        drawPageArt(p, picture);
        for (int item = 0; item < kItemCount; ++item) {
            if (ItemOnPage(item, picture.page)) drawItemFace(p, item, picture.state);
        }
    });
}

}  // namespace voltrane::skinpaint

#pragma once
// The pictures of the main window's pages.

#include <QImage>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// What one main-window picture shows.
struct MainPicture {
    int page;       // 0 basic, 1 advanced, 2 colour
    bool sideView;  // page 0 only: the mouse from its side instead of from above
    State state;    // the state every item of the page and of the common range is drawn in
};

// The picture at `scale` device pixels per logical pixel.
QImage paintMainPage(const MainPicture& picture, int scale);

}  // namespace voltrane::skinpaint

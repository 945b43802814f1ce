#pragma once
// Painting of the main window from its state: the page background, every item of the page by its
// value and hover state, captions and their markers, sliders, numbers and the macro panel, and the
// mask that cuts the window's outline.

#include <QFont>
#include <QString>

#include "capture/key_names.h"
#include "settings/macro_store.h"
#include "settings/mouse_setting.h"
#include "settings/text_tables.h"
#include "skin/skin_images.h"

class QPainter;
class QRect;

namespace voltrane {

// Everything a paint of the main window reads.
struct MainWindowState {
    const MouseSetting& setting;
    const MacroStore& store;
    // the names of the keys on the buttons' captions
    const KeyNames& keyNames;
    int page = kBasicPage;    // kBasicPage or kAdvancedPage
    bool sideView = false;    // page 0 shows the mouse from the side
    int hotItem = kNoItem;    // the item under the cursor
    int language = kEnglish;  // the captions' language
    QString macroFileName;    // the working macro file's name, without its folder
};

// The fonts of the items: the small one below item 125, the large one for the bottom buttons and tabs.
struct MainWindowFonts {
    QFont small;
    QFont large;
};

// Paints the items whose rectangles meet `dirty` (and the background under them).
void PaintMainWindow(QPainter& painter, const QRect& dirty, const MainWindowState& state,
                     const SkinImages& skins, const MainWindowFonts& fonts);

// The text drawn in `item`: a button's function, a caption without its blanks, a
// number; empty for sliders and items drawn without text.
QString ItemValueText(int item, const MainWindowState& state);

// How many rows the macro list shows from its top row: stored macros, then "<New Macro>" while the
// store has room.
int ShownMacroRows(const MacroStore& store);

// The whole text of `item` where the page shown draws it cut short (nothing else fits its rectangle),
// for a tooltip; empty where it is drawn whole or the item has no text.
QString ItemToolTip(int item, const MainWindowState& state, const MainWindowFonts& fonts);

}  // namespace voltrane

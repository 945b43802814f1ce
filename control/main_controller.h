#pragma once
// The main controller: what each item of the main window does when activated, and the start-up
// of the window's state. It decides; the window only turns clicks into item numbers and carries out
// the requests of its WindowPort.

#include <string>

#include "control/capture_dialogs.h"
#include "control/controller.h"
#include "control/window_port.h"

namespace voltrane {

// The macro-name box after start-up: enabled only when "mouse.mac" exists.
struct MacroNameBox {
    bool enabled = false;
    std::u16string text;
};

class MainController {
public:
    // Works on `controller`'s record and reaches the window through `window` and its capture
    // dialogs through `dialogs`; all three must outlive it.
    MainController(Controller& controller, WindowPort& window, CaptureDialogs& dialogs)
        : m_controller(controller), m_window(window), m_dialogs(dialogs) {}

    // Start-up in `language` (start-up read it from "LANGUAGE.ini"; outside 0..5 it is English):
    // profile 1 (highlighted, not yet current), the mouse's configuration, the working macro file
    // "mouse.mac" and the desktop's pointer settings. Returns what the macro-name box shows.
    MacroNameBox Initialise(int language);

    // Performs the action of item `item`; 131 and above do nothing.
    void ActivateItem(int item);

    // Command `id` (5000..5046) of the menu that item m_nMenuItem opened: a button's function for
    // items 1..6, a save-as command for item 121; anything else does nothing.
    void OnFunctionCommand(int id);

    // A click on slider track `item` (51, 78, 79, 80) that sets it to `value`: an edit like any other.
    void ClickSlider(int item, int value);

    // The cursor is over `hot`, `listOffsetY` skin pixels below the macro list's top. Over the list
    // on the advanced page, the row under it (at most the new-macro row) is the hover row; elsewhere
    // the selected row is. A changed hover row repaints the information box and the list.
    void Hover(int hot, int listOffsetY);

    // The wheel over the macro list scrolls it one row (up for a positive delta) while rows remain
    // to show. Returns false when the cursor is not over the list, so the window handles the wheel.
    bool ScrollMacroList(int delta);

    // A click on the window's background: a name typed into the macro-name box becomes the selected
    // macro's name, bounded as every name is. An empty box changes nothing.
    void TakeOverMacroName();

    // A language chosen in the combo box: stored in "LANGUAGE.ini" and used from now on.
    void ChangeLanguage(int language);

    int m_nPage = kBasicPage;    // kBasicPage or kAdvancedPage
    int m_nCurProfile = -1;      // 1..5 once a profile tab was clicked
    bool m_bModified = false;    // the record was edited since the profile was chosen
    bool m_bSideView = false;    // the basic page shows the mouse from the side
    int m_nHotItem = kNoItem;    // the item under the cursor; the button a function menu configures
    int m_nFocusItem = kNoItem;  // the item activated last, repeated by Space
    int m_nMenuItem = kNoItem;   // the item whose menu was opened last

private:
    void markModified();
    void sideViewRule(int item);
    void editItem(int item);
    void loadProfile(const std::filesystem::path& path);
    void chooseProfile(int profile);
    void loadChosenFile();
    void openMenu(int item);
    void macroPanelAction(int item);
    void restoreDefaults();
    void switchPage(int item);
    void applyAndSave();
    void dispatch(int item);

    Controller& m_controller;
    WindowPort& m_window;
    CaptureDialogs& m_dialogs;
};

}  // namespace voltrane

#pragma once
// What the main controller asks of its window beyond talking to the user: showing, hiding and
// closing it, repainting all of it, and the menus and macro-list actions that the window provides.

namespace voltrane {

class WindowPort {
public:
    virtual ~WindowPort() = default;

    // Hides the window; the program stays in the notification area (or minimised without one).
    virtual void HideWindow() = 0;
    // Closes the window, which ends the program; nothing is saved or asked.
    virtual void CloseWindow() = 0;
    // Repaints the whole window; `erase` repaints the background as well.
    virtual void RepaintWindow(bool erase) = 0;
    // Shows the macro-name box (id 1001) or hides it.
    virtual void ShowMacroNameBox(bool show) = 0;

    // Opens the button-function menu for the button of item `item` (1..6) under that item.
    virtual void ShowFunctionMenu(int item) = 0;
    // Opens the save-as menu above item 121.
    virtual void ShowSaveAsMenu() = 0;
    // Runs the macro-list action of item 86, 61, 67 or 68.
    virtual void MacroListAction(int item) = 0;
    // Runs the macro file action of item 64 (Import), 65 (Save) or 66 (Export).
    virtual void MacroFileAction(int item) = 0;
};

}  // namespace voltrane

#pragma once
// What the main controller asks of its window beyond talking to the user: showing, hiding and
// closing it, repainting all of it or the items that changed, its two menus and the macro-name box.

#include <optional>
#include <span>
#include <string>
#include <string_view>

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
    // The items (item numbers 0..130) whose value or look changed; the window repaints them.
    virtual void ItemsChanged(std::span<const int> items) = 0;

    // Opens the button-function menu under the button of item `item` (1..6) and returns the command
    // chosen (5001..5039), or std::nullopt when the menu was dismissed.
    virtual std::optional<int> ShowFunctionMenu(int item) = 0;
    // Opens the save-as menu above item 121 and returns the command chosen (5040..5045), or
    // std::nullopt when the menu was dismissed.
    virtual std::optional<int> ShowSaveAsMenu() = 0;

    // The macro-name box (id 1001): shown or hidden, its text, and enabled with the keyboard focus.
    virtual void ShowMacroNameBox(bool show) = 0;
    virtual std::u16string MacroNameText() const = 0;
    virtual void SetMacroNameText(std::u16string_view text) = 0;
    virtual void FocusMacroNameBox() = 0;
};

}  // namespace voltrane

#pragma once
// The button-function menu with its three submenus and the save-as menu, built from CMyMenu in one
// language, and their run at a point of the screen.

#include <QPoint>
#include <memory>
#include <optional>

#include "skin/my_menu.h"

namespace voltrane {

// The button-function menu: "LEFT" .. "Macro", the submenus "Basic command", "AdvancedCommand" and
// "MediaCommand" (owned by the menu), then "Disable". The item of function `current` (a button's
// function code) is checked; none is for 0.
std::unique_ptr<CMyMenu> BuildFunctionMenu(int language, int current, QWidget* parent);

// The save-as menu: "Setting Save As", "Save Setting1" .. "Save Setting5".
std::unique_ptr<CMyMenu> BuildSaveAsMenu(int language, QWidget* parent);

// Shows `menu` with its top left corner at `globalPoint` until it closes. Returns the command id
// of the item chosen (in the menu or one of its submenus), or std::nullopt when it was dismissed.
std::optional<int> TrackMenu(CMyMenu& menu, QPoint globalPoint);

}  // namespace voltrane

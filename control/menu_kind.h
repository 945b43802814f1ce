#pragma once
// The kinds of the popup menus, beside the commands they carry. A menu's kind sets the size of its
// items (CMyMenu::ItemSize).

namespace voltrane {

enum MenuKind : int {
    kMenuFunction = 0,          // the button-function menu
    kMenuBasicCommands = 1,     // its submenu "Basic command"
    kMenuAdvancedCommands = 2,  // its submenu "AdvancedCommand"
    kMenuMediaCommands = 3,     // its submenu "MediaCommand"
    kMenuSaveAs = 4,            // the save-as menu
};

}  // namespace voltrane

#include "app/qt_menus.h"

#include "control/menu_commands.h"
#include "settings/text_tables.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"

namespace voltrane {

namespace {

QString rowText(int row, int language) {
    return ToQString(GetText(TextTable::ButtonFunction, row, language));
}

// The row of `current` (a function code, which is also its row) is checked.
void addRows(CMyMenu& menu, RowRange rows, int language, int current = 0) {
    for (int row = rows.first; row <= rows.last; ++row) {
        QAction* action = menu.addAction(rowText(row, language));
        action->setData(CommandOfRow(row));
        action->setCheckable(row == current);
        action->setChecked(row == current);
    }
}

}  // namespace

std::unique_ptr<CMyMenu> BuildFunctionMenu(int language, int current, QWidget* parent) {
    auto menu = std::make_unique<CMyMenu>(kMenuFunction, SmallFont(language), parent);
    addRows(*menu, kFunctionMenuHead, language, current);
    for (const FunctionSubmenu& submenu : kFunctionSubmenus) {
        auto* sub = new CMyMenu(submenu.kind, SmallFont(language), menu.get());
        sub->setTitle(rowText(submenu.titleRow, language));
        addRows(*sub, submenu.items, language, current);
        menu->addMenu(sub);
    }
    addRows(*menu, kFunctionMenuTail, language, current);
    return menu;
}

std::unique_ptr<CMyMenu> BuildSaveAsMenu(int language, QWidget* parent) {
    auto menu = std::make_unique<CMyMenu>(kMenuSaveAs, SmallFont(language), parent);
    addRows(*menu, kSaveAsMenu, language);
    return menu;
}

std::optional<int> TrackMenu(CMyMenu& menu, QPoint globalPoint) {
    const QAction* chosen = menu.exec(globalPoint);
    if (!chosen || !chosen->data().isValid()) return std::nullopt;
    return chosen->data().toInt();
}

}  // namespace voltrane

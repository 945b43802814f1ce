#pragma once
// The popup menu of the main window: every item drawn in the skin's look (blue border, black fill,
// white text; the highlighted item blue with orange text) at a fixed size per menu kind.

#include <QFont>
#include <QMenu>

#include "control/menu_kind.h"

namespace voltrane {

class CMyMenu : public QMenu {
public:
    // A menu of `kind` (a MenuKind) whose items are written in `font`.
    CMyMenu(int kind, const QFont& font, QWidget* parent = nullptr);

    // The size of every item: 112 x 24 for the button-function menu and its submenus, 73 x 24 for
    // the save-as menu.
    static QSize ItemSize(int kind);

    int m_nKind;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawItem(QPainter& painter, QAction* action) const;
    void drawCheckMark(QPainter& painter, const QRect& inner) const;
};

}  // namespace voltrane

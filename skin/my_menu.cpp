#include "skin/my_menu.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>

#include "skin/skin_colours.h"
#include "skin/fitted_text.h"

namespace voltrane {

namespace {

// Sizes every item of a CMyMenu at its fixed size, without frame or margins.
class MenuStyle final : public QProxyStyle {
public:
    explicit MenuStyle(QSize itemSize) : m_itemSize(itemSize) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_MenuItem) return m_itemSize;
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        switch (metric) {
            case PM_MenuPanelWidth:
            case PM_MenuHMargin:
            case PM_MenuVMargin:
            case PM_MenuDesktopFrameWidth:
                return 0;
            default:
                return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

private:
    QSize m_itemSize;
};

// Every item of the button-function menu and its submenus, and of the narrower save-as menu.
constexpr QSize kFunctionItemSize(112, 24);
constexpr QSize kSaveAsItemSize(73, 24);

// An item's border: one pixel on its left and top, two on its right and bottom.
QRect insideBorder(const QRect& item) { return item.adjusted(1, 1, -2, -2); }

}  // namespace

CMyMenu::CMyMenu(int kind, const QFont& font, QWidget* parent) : QMenu(parent), m_nKind(kind) {
    auto* style = new MenuStyle(ItemSize(kind));
    style->setParent(this);
    setStyle(style);
    setFont(font);
}

QSize CMyMenu::ItemSize(int kind) { return kind == kMenuSaveAs ? kSaveAsItemSize : kFunctionItemSize; }

void CMyMenu::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    for (QAction* action : actions()) drawItem(painter, action);
}

void CMyMenu::drawItem(QPainter& painter, QAction* action) const {
    const QRect item = actionGeometry(action);
    if (item.isEmpty()) return;
    painter.fillRect(item, kMenuBorder);
    const QRect inner = insideBorder(item);
    const bool selected = action == activeAction();
    painter.fillRect(inner, selected ? kMenuSelectedFill : kMenuFill);
    painter.setPen(selected ? kMenuSelectedText : kMenuText);
    painter.setFont(font());
    DrawFittedText(painter, inner, action->text(), Qt::AlignCenter);
    if (action->isChecked()) drawCheckMark(painter, inner);
}

// A tick at the item's left end: the current choice, shown by its shape as well.
void CMyMenu::drawCheckMark(QPainter& painter, const QRect& inner) const {
    const QPoint middle(inner.left() + 7, inner.center().y() + 3);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(painter.pen().color(), 2));
    painter.drawPolyline(QPolygon{middle + QPoint(-4, -3), middle, middle + QPoint(5, -8)});
    painter.restore();
}

}  // namespace voltrane

#include "skin/my_menu.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>

#include "skin/fitted_text.h"

namespace voltrane {

namespace {

const QColor kBorder(0x07, 0x6F, 0xB8);
const QColor kSelectedFill(0x00, 0x78, 0xFA);
const QColor kSelectedText(0xFA, 0x78, 0x00);

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

}  // namespace

CMyMenu::CMyMenu(int kind, const QFont& font, QWidget* parent) : QMenu(parent), m_nKind(kind) {
    auto* style = new MenuStyle(ItemSize(kind));
    style->setParent(this);
    setStyle(style);
    setFont(font);
}

QSize CMyMenu::ItemSize(int kind) { return kind == SaveAs ? QSize(73, 24) : QSize(112, 24); }

void CMyMenu::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    for (QAction* action : actions()) drawItem(painter, action);
}

void CMyMenu::drawItem(QPainter& painter, QAction* action) const {
    const QRect item = actionGeometry(action);
    if (item.isEmpty()) return;
    painter.fillRect(item, kBorder);
    const QRect inner = item.adjusted(1, 1, -2, -2);
    const bool selected = action == activeAction();
    painter.fillRect(inner, selected ? kSelectedFill : QColor(Qt::black));
    painter.setPen(selected ? kSelectedText : QColor(Qt::white));
    painter.setFont(font());
    DrawFittedText(painter, inner, action->text(), Qt::AlignCenter);
}

}  // namespace voltrane

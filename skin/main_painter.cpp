#include "skin/main_painter.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <optional>

#include "settings/button_records.h"
#include "settings/key_table.h"
#include "settings/text_tables.h"
#include "skin/fitted_text.h"
#include "skin/hit_test.h"
#include "skin/item_qrect.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"

namespace voltrane {

namespace {

constexpr int kLastButtonItem = kItemButton7;
constexpr int kFirstLargeItem = kItemBasicTab;  // the tabs and the buttons under them
constexpr int kDpiValues[] = {500, 1000, 2000, 3000, 4000};
constexpr int kLastDpiLevel = static_cast<int>(std::size(kDpiValues)) - 1;
// The radio buttons and check boxes whose caption stands right of the box drawn on the skin.
constexpr int kBoxedItems[] = {kItemSingle,      kItemColorShift,   kItemBreathing,   kLampItems[0].off,
                               kLampItems[0].on, kLampItems[1].off, kLampItems[1].on, kLampItems[2].off,
                               kLampItems[2].on, kItemPrecision,    kItemScrollScreen};
constexpr int kBoxWidth = 18;

int value(const MainWindowState& state, int item) { return state.setting.m_nItem[item]; }

// The three images of the page shown: background, items that are on, item under the cursor. Each is
// decoded when first drawn: a frame without a hot item needs no "down" picture.
struct PageImages {
    const SkinImages& skins;
    int normal;
    int over;
    int down;
};

PageImages pageImages(const MainWindowState& state, const SkinImages& skins) {
    if (state.page == kAdvancedPage) return {skins, kAdvancedNormal, kAdvancedOver, kAdvancedDown};
    return {skins, state.sideView ? kMainNormalSide : kMainNormal, kMainOver, kMainDown};
}

// "Load setting", " Save setting", "Default", "OK", "Apply" and " Cancel" are white at rest too.
bool alwaysWhite(int item) {
    return (item >= kItemLoadSetting && item <= kItemDefault) || (item >= kItemOk && item <= kItemCancel);
}

// Copies the item's state picture and returns the colour of its text.
QColor drawState(QPainter& painter, int item, const MainWindowState& state, const PageImages& page) {
    if (item > kLastButtonItem && value(state, item) != 0) {
        CopySkinRect(painter, page.skins[page.over], ItemQRect(item));
        return kWhiteText;
    }
    if (item == state.hotItem) {
        CopySkinRect(painter, page.skins[page.down], ItemQRect(item));
        return kWhiteText;
    }
    return alwaysWhite(item) ? kWhiteText : kGreyText;
}

constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kCentre = Qt::AlignCenter;

QString buttonText(int item, const MainWindowState& state) {
    const MouseSetting& s = state.setting;
    const int function = value(state, item);
    if (function == kFunctionKeyboard) return ToQString(state.keyNames.ComboText(s.m_KeyData[item]));
    if (function == kFunctionMacro && !s.m_strButtonMacro[item].empty())
        return ToQString(s.m_strButtonMacro[item]);
    return ToQString(GetText(TextTable::ButtonFunction, function, state.language));
}

void drawSlider(QPainter& painter, int item, const MainWindowState& state, const SkinImages& skins) {
    const std::optional<SliderGeometry> slider = SliderOf(item);
    if (!slider) return;
    const QRect track = ItemQRect(item);
    const int x = track.left() + slider->thumbOffset + slider->step * value(state, slider->valueItem);
    painter.drawImage(QRect(x, track.top(), kThumbWidth, kThumbHeight), skins.thumb);
}

QString numberText(int item, const MainWindowState& state) {
    if (item == kItemDpi) {
        const int level = std::clamp(value(state, item), 0, kLastDpiLevel);
        return QString::number(kDpiValues[level]);
    }
    return QString::number(value(state, item) + 1);
}

void drawMacroInfo(QPainter& painter, const MainWindowState& state) {
    const MacroStore& store = state.store;
    const int selected = std::clamp(store.m_nMacroSel, 0, kMacroStoreSlots - 1);
    const QString text = QStringLiteral("Index: %1\nNumber:%2\nFile:%3")
                             .arg(store.m_nMacroSel + 1)
                             .arg(store.m_Macro[selected].count)
                             .arg(state.macroFileName);
    painter.drawText(ItemQRect(kItemMacroInfo), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

QColor rowColour(const MacroStore& store, int row) {
    if (row == store.m_nMacroSel) return kSelectedRow;
    return row == store.m_nMacroHoverRow ? kWhiteText : kGreyText;
}

// The selected row is framed as well as coloured, so that it stands out without telling colours apart.
void drawMacroList(QPainter& painter, const MainWindowState& state) {
    const MacroStore& store = state.store;
    const QRect list = ItemQRect(kItemMacroList);
    QRect row = FirstListRow(list, kMacroRowHeight);
    for (int r = store.m_nMacroTop; r < store.m_nMacroTop + kMacroListRows && r < kMacroStoreSlots; ++r) {
        painter.setPen(rowColour(store, r));
        if (r == store.m_nMacroSel) painter.drawRect(SelectedRowFrame(row));
        if (store.m_Macro[r].count != 0) {
            DrawRowFittedText(painter, row,
                              ToQString(MacroListName(store.m_strMacroNames[r], store.m_Macro[r])));
        } else {
            if (store.m_nMacroCount < kMaxMacros)
                DrawRowFittedText(painter, row, QStringLiteral("<New Macro>"));
            return;
        }
        row.translate(0, kMacroRowHeight);
    }
}

// A text of an item, in its rectangle, aligned as drawn.
struct ItemText {
    QRect rect;
    QString text;
    int flags;
};

ItemText captionText(int item, const QString& caption, const MainWindowState& state) {
    const QRect rect = ItemQRect(item);
    const QString text = caption.trimmed();
    if (item == kItemMacroCount)
        return {rect, QStringLiteral("%1 %2/%3").arg(text).arg(state.store.m_nMacroCount).arg(kMaxMacros),
                kLeft};
    if (std::find(std::begin(kBoxedItems), std::end(kBoxedItems), item) != std::end(kBoxedItems))
        return {rect.adjusted(kBoxWidth, 0, 0, 0), text, kLeft};
    return {rect, text, item == kItemProfileLabel ? kLeft : kCentre};
}

// The text of one item, chosen by its caption's first character; none for sliders and items without
// a caption.
std::optional<ItemText> itemText(int item, const MainWindowState& state) {
    const QString caption = ToQString(GetText(TextTable::Main, item, state.language));
    if (caption.isEmpty()) return std::nullopt;
    const QChar marker = caption.front();
    if (marker == u'B' && item <= kLastButtonItem)
        return ItemText{ItemQRect(item), buttonText(item, state), kLeft};
    if (marker == u'S') return std::nullopt;
    if (marker == u'X') return ItemText{ItemQRect(item), numberText(item, state), kCentre};
    if (marker == u'H' || marker == u'R' || marker == u'Y' || marker == u'G') {
        const bool lamp = item >= kItemShine && item <= kLampItems[std::size(kLampItems) - 1].level;
        return ItemText{ItemQRect(item), QString::number(value(state, item) + (lamp ? 0 : 1)), kCentre};
    }
    return captionText(item, caption, state);
}

const QFont& fontOf(int item, const MainWindowFonts& fonts) {
    return item < kFirstLargeItem ? fonts.small : fonts.large;
}

bool ownPicture(int item) {
    return item == kItemMacroNameBox || item == kItemMacroInfo || item == kItemMacroList;
}

void drawItem(QPainter& painter, int item, const MainWindowState& state, const SkinImages& skins,
              const MainWindowFonts& fonts, const PageImages& page) {
    painter.setFont(fontOf(item, fonts));
    painter.setPen(drawState(painter, item, state, page));
    if (item == kItemMacroNameBox) return;
    if (item == kItemMacroInfo) return drawMacroInfo(painter, state);
    if (item == kItemMacroList) return drawMacroList(painter, state);
    drawSlider(painter, item, state, skins);
    if (const std::optional<ItemText> text = itemText(item, state))
        DrawFittedText(painter, text->rect, text->text, text->flags);
}

}  // namespace

void PaintMainWindow(QPainter& painter, const QRect& dirty, const MainWindowState& state,
                     const SkinImages& skins, const MainWindowFonts& fonts) {
    const PageImages page = pageImages(state, skins);
    CopySkinRect(painter, skins[page.normal], dirty);
    for (int item = 0; item < kItemCount; ++item) {
        if (!ItemOnPage(item, state.page) || !ItemQRect(item).intersects(dirty)) continue;
        drawItem(painter, item, state, skins, fonts, page);
    }
    CopySkinRect(painter, skins.mainOutline, dirty);
}

QString ItemValueText(int item, const MainWindowState& state) {
    const std::optional<ItemText> text = itemText(item, state);
    return text ? text->text : QString();
}

int ShownMacroRows(const MacroStore& store) {
    int shown = 0;
    for (int r = store.m_nMacroTop; r < store.m_nMacroTop + kMacroListRows && r < kMacroStoreSlots; ++r) {
        if (store.m_Macro[r].count == 0) return store.m_nMacroCount < kMaxMacros ? shown + 1 : shown;
        ++shown;
    }
    return shown;
}

QString ItemToolTip(int item, const MainWindowState& state, const MainWindowFonts& fonts) {
    if (!ItemOnPage(item, state.page) || ownPicture(item) || ItemQRect(item).isEmpty()) return {};
    const std::optional<ItemText> text = itemText(item, state);
    if (!text || !FitText(fontOf(item, fonts), text->rect, text->text, text->flags).elided) return {};
    return text->text;
}

}  // namespace voltrane

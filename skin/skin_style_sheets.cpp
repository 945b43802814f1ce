#include "skin/skin_style_sheets.h"

#include "skin/skin_colours.h"

namespace voltrane {

namespace {

QString hex(const QColor& colour) { return colour.name(QColor::HexRgb); }

}  // namespace

QString NameBoxStyleSheet() {
    return QStringLiteral(
               "QLineEdit { background: %1; color: %2; border: none; }"
               "QLineEdit:focus { background: %3; }")
        .arg(hex(kNameBoxFill), hex(kWhiteText), hex(kNameBoxFocusFill));
}

QString LanguageBoxStyleSheet() {
    return QStringLiteral(
               "QComboBox { background: %1; color: %2; border: 1px solid %3; padding-left: 4px; }"
               "QComboBox:focus { border: 2px solid %2; }"
               "QComboBox QAbstractItemView { background: %1; color: %2; "
               "selection-background-color: %4; }")
        .arg(hex(kLanguageBoxFill), hex(kWhiteText), hex(kPanelEdge), hex(kAccent));
}

QString MsgBoxStyleSheet() {
    return QStringLiteral(
               "QDialog { background: %1; border: 1px solid %2; }"
               "QLabel { color: %3; }"
               "QPushButton { color: %4; background: %5; border: 1px solid %2; border-radius: 3px;"
               " min-width: 86px; min-height: 22px; }"
               "QPushButton:hover, QPushButton:focus { color: %6; background: %7; }")
        .arg(hex(kPanelFill), hex(kPanelEdge), hex(kPanelText), hex(kBlueText), hex(kPanelButtonFill),
             hex(kWhiteText), hex(kAccent));
}

}  // namespace voltrane

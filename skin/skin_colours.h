#pragma once
// Every colour the program draws with beside its skin pictures: text and rows on the skins, the
// owner-drawn menu, the child controls and message box, and the program's icon.

#include <QColor>

namespace voltrane {

// Text and rows on the skins.
inline const QColor kGreyText(0xB4, 0xB4, 0xB4);     // captions, buttons and rows at rest
inline const QColor kWhiteText(0xFF, 0xFF, 0xFF);    // captions on or under the cursor, lists, entries
inline const QColor kBlueText(0x00, 0x78, 0xFA);     // dialog buttons not under the cursor
inline const QColor kSelectedRow(0x33, 0x99, 0xFF);  // the selected row of a macro list

// The keyboard focus ring: a white band inside a black one, so that one of the two stands out at
// least 3:1 against any colour beneath it.
inline const QColor kFocusRingInner(0xFF, 0xFF, 0xFF);
inline const QColor kFocusRingOuter(0x00, 0x00, 0x00);

// The skin pictures' colours that stand for "nothing here".
inline const QColor kThumbTransparent(0x00, 0x00, 0x00);  // around a slider's thumb

// The owner-drawn menu: a blue border around each item; black with white text, or when selected
// blue with orange text.
inline const QColor kMenuBorder(0x07, 0x6F, 0xB8);
inline const QColor kMenuFill(0x00, 0x00, 0x00);
inline const QColor kMenuText(0xFF, 0xFF, 0xFF);
inline const QColor kMenuSelectedFill(0x00, 0x78, 0xFA);
inline const QColor kMenuSelectedText(0xFA, 0x78, 0x00);

// The macro-name box: black, light blue while it has the focus.
inline const QColor kNameBoxFill(0x00, 0x00, 0x00);
inline const QColor kNameBoxFocusFill(0x33, 0x99, 0xFF);

// The language box and its list.
inline const QColor kLanguageBoxFill(0x39, 0x7B, 0xEA);

// The panels of the message box: near-black base, a blue accent edge, light grey text, buttons a
// step lighter than the base.
inline const QColor kPanelFill(0x11, 0x15, 0x1C);
inline const QColor kPanelEdge(0x07, 0x6F, 0xB8);
inline const QColor kPanelText(0xE6, 0xE6, 0xE6);
inline const QColor kPanelButtonFill(0x1A, 0x21, 0x2B);
inline const QColor kAccent(0x00, 0x78, 0xFA);  // a selected list row, a button under the cursor

// The program's icon: a mouse in a blue gradient on a dark tile, its button seams in the base colour.
inline const QColor kIconTileEdge(0x07, 0x6F, 0xB8);
inline const QColor kIconTileFill(0x11, 0x15, 0x1C);
inline const QColor kIconBodyLight(0x33, 0x99, 0xFF);
inline const QColor kIconBodyDeep(0x00, 0x4C, 0xA8);
inline const QColor kIconSeam(0x0B, 0x0E, 0x13);

}  // namespace voltrane

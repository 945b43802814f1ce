#pragma once
// The style sheets of the child controls and the message box, in the colours of skin_colours.h.

#include <QString>

namespace voltrane {

// The macro-name box: black, light blue while it has the focus; white text on both.
QString NameBoxStyleSheet();

// The language box and its drop-down list: white on blue, the chosen row in the accent blue.
QString LanguageBoxStyleSheet();

// The message box: the text on the panel, its buttons blue, lit while under the cursor or focused.
QString MsgBoxStyleSheet();

}  // namespace voltrane

#pragma once
// The colours of the skins: a near-black base, panels a step lighter, one blue accent family.

#include <QColor>

namespace voltrane::skinpaint {

// Window base, darkest at the bottom.
inline const QColor kBaseTop{0x12, 0x16, 0x1d};
inline const QColor kBaseBottom{0x0b, 0x0e, 0x13};
// Panels and their edges.
inline const QColor kPanelTop{0x17, 0x1c, 0x24};
inline const QColor kPanelBottom{0x11, 0x15, 0x1b};
inline const QColor kPanelEdge{0x1e, 0x2a, 0x38};
inline const QColor kRecess{0x08, 0x0b, 0x0f};
// Control faces at rest.
inline const QColor kFaceTop{0x22, 0x29, 0x33};
inline const QColor kFaceBottom{0x16, 0x1b, 0x22};
inline const QColor kFaceEdge{0x2e, 0x3b, 0x4c};
inline const QColor kMuted{0x5a, 0x68, 0x7a};
// The accent family: on, selected and hovered.
inline const QColor kAccent{0x00, 0x78, 0xfa};
inline const QColor kAccentLight{0x33, 0x99, 0xff};
inline const QColor kAccentDeep{0x07, 0x6f, 0xb8};
inline const QColor kLitTop{0x0d, 0x5c, 0xc0};
inline const QColor kLitBottom{0x06, 0x36, 0x78};
inline const QColor kHoverTop{0x1b, 0x33, 0x4f};
inline const QColor kHoverBottom{0x12, 0x22, 0x36};
// The outside of every mask (the colour key) and its inside.
inline const QColor kMaskKey{0xff, 0x00, 0xff};
inline const QColor kMaskInside{0x00, 0x00, 0x00};

// `c` with the given opacity (0..255).
inline QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

}  // namespace voltrane::skinpaint

#pragma once
// The single-key dialog: the user presses the key combination a mouse button is to send; the dialog
// shows it and ends with OK or Cancel, the only two ways out.

#include <optional>

#include "capture/key_names.h"
#include "capture/single_key_capture.h"
#include "dialogs/keyboard_capture.h"
#include "skin/skin_images.h"
#include "skin/skinned_dialog.h"

namespace voltrane {

class CSingleKey : public SkinnedDialog, public KeyCaptureTarget {
public:
    // Regions: 0 the combination (also the background: a press there drags), 1 OK, 2 Cancel.
    enum Region : int { kNone = 0, kOk = 1, kCancel = 2 };

    // A dialog drawn from `images` in `language` (0..5) over `parent`, capturing keys with `grab` once
    // shown and naming them by `keyNames` (the images and names must outlive it).
    CSingleKey(const SkinImages& images, int language, QWidget* parent = nullptr,
               KeyboardGrab grab = PlatformKeyboardGrab, const KeyNames& keyNames = UsKeyNames());

    const SingleKeyCapture& Capture() const { return m_capture; }
    // The combination as the dialog shows it, in the names of its keyboard layout.
    std::u16string ShownText() const { return m_capture.Text(m_keyNames); }
    const KeyboardCapture& Keyboard() const { return m_keyboard; }
    int HotRegion() const { return m_nHotRegion; }

    void OnHookKeyDown(int keyIndex) override;
    void OnHookKeyUp(int keyIndex) override;
    void OnKeysLost() override { m_capture.OnKeysLost(); }

protected:
    void paintSkin(QPainter& painter, const QRect& dirty) override;
    bool pressRegion(QPoint point) override;
    void hover(QPoint point) override;
    void releaseRegion(QPoint point) override;
    bool movesItself() const override { return m_keyboard.BlocksWindowManagerMove(); }

private:
    const SkinImages& m_images;
    int m_nLanguage;
    const KeyNames& m_keyNames;
    SingleKeyCapture m_capture;
    KeyboardCapture m_keyboard;
    int m_nHotRegion = kNone;
};

// Runs the dialog modally, drawn from `images`, in `language`, naming keys by `keyNames`. Returns nothing
// on Cancel; on OK the key-index string the button is to send (rows from byte 0, zeros behind), all zeros
// when OK was clicked before any key: the button then keeps its function and key record, but loses its
// macro name.
std::optional<KeyString> RunSingleKeyDialog(QWidget* parent, const SkinImages& images, int language,
                                            const KeyNames& keyNames);

}  // namespace voltrane

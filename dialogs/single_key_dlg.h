#pragma once
// The single-key dialog: the user presses the key combination a mouse button is to send; the dialog
// shows it and ends with OK or Cancel. It captures from its opening until the keys of one
// combination are all up (or Esc is held); then Tab, Enter and Esc move, confirm and cancel, and
// Enter or Space on the key field, or any other key, captures again.

#include <optional>

#include "capture/key_names.h"
#include "capture/single_key_capture.h"
#include "dialogs/capture_dialog.h"
#include "skin/skin_images.h"

namespace voltrane {

class CSingleKey : public CaptureDialog {
public:
    // Regions: 0 the combination (also the background: a press there drags), 1 OK, 2 Cancel.
    enum Region : int { kNone = 0, kOk = 1, kCancel = 2 };
    static constexpr int kKeyField = 0;  // the combination, as a control of the keyboard focus

    // A dialog drawn from `images` in `language` (0..5) over `parent`, capturing keys with `grab` once
    // shown and naming them by `keyNames` (the images and names must outlive it).
    CSingleKey(const SkinImages& images, int language, QWidget* parent = nullptr,
               KeyboardGrab grab = PlatformKeyboardGrab, const KeyNames& keyNames = UsKeyNames());

    const SingleKeyCapture& Capture() const { return m_capture; }
    // The combination as the dialog shows it, in the names of its keyboard layout.
    std::u16string ShownText() const { return m_capture.Text(m_keyNames); }
    int HotRegion() const { return m_nHotRegion; }
    // Whether keys are being captured.
    bool Armed() const { return m_keys.Armed(); }

    void OnKeysLost() override;

    void PressControl(int index) override { activate(index); }

protected:
    std::vector<PaintedControl> Controls() const override;
    void paintSkin(QPainter& painter, const QRect& dirty) override;
    bool pressRegion(QPoint point) override;
    void hover(QPoint point) override;
    void releaseRegion(QPoint point) override;

    void onCapture(const KeyAction& action) override;
    void activate(int control) override;

private:
    void arm();
    void disarm();

    const SkinImages& m_images;
    int m_nLanguage;
    const KeyNames& m_keyNames;
    SingleKeyCapture m_capture;
    int m_nHotRegion = kNone;
};

// Runs the dialog modally, drawn from `images`, in `language`, naming keys by `keyNames`. Returns nothing
// on Cancel; on OK the key-index string the button is to send (rows from byte 0, zeros behind), all zeros
// when OK was clicked before any key: the button then keeps its function and key record, but loses its
// macro name.
std::optional<KeyString> RunSingleKeyDialog(QWidget* parent, const SkinImages& images, int language,
                                            const KeyNames& keyNames);

}  // namespace voltrane

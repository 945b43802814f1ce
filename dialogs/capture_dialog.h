#pragma once
// The base of the capture dialogs (the single-key dialog and the macro editor): a dialog of painted
// controls that captures keys through its KeyboardCapture, CaptureKeys deciding which keys are
// captured and which work the dialog. Tab and Shift+Tab move the focus, Enter and Space activate the
// focused region and Esc cancels, in every capture dialog alike; the dialog itself takes what is
// captured, when capture starts and stops, and the arrows.

#include <vector>

#include "capture/capture_keys.h"
#include "dialogs/focus_dialog.h"
#include "dialogs/keyboard_capture.h"

namespace voltrane {

class CaptureDialog : public FocusDialog, public KeyCaptureTarget {
public:
    const KeyboardCapture& Keyboard() const { return m_keyboard; }

    void OnCaptureKey(int keyIndex, KeyTransition transition) final;

protected:
    // A dialog with the mask, controls and Tab order of FocusDialog that captures from its opening until
    // `end` says, with `grab` once shown.
    CaptureDialog(const QImage& mask, QWidget* parent, std::vector<int> controls, std::vector<int> tabOrder,
                  CaptureEnd end, KeyboardGrab grab);

    // Capture (Capture, CaptureUp), its start (Arm) and end (Done, Stop), and the arrow keys.
    virtual void onCapture(const KeyAction& action) = 0;
    // Enter or Space on the focused region `region`.
    virtual void activate(int region) = 0;

    CaptureKeys m_keys;
    KeyboardCapture m_keyboard;
};

}  // namespace voltrane

#include "dialogs/capture_dialog.h"

namespace voltrane {

CaptureDialog::CaptureDialog(const QImage& mask, QWidget* parent, std::vector<int> controls,
                             std::vector<int> tabOrder, CaptureEnd end, KeyboardGrab grab)
    : FocusDialog(mask, parent, std::move(controls), std::move(tabOrder)),
      m_keys(end),
      m_keyboard(*this, *this, grab) {}

void CaptureDialog::OnCaptureKey(int keyIndex, KeyTransition transition) {
    for (const KeyAction& action : m_keys.OnKey(keyIndex, transition)) {
        switch (action.command) {
            case KeyCommand::Next:
            case KeyCommand::Previous:
                moveFocus(action.command == KeyCommand::Next);
                break;
            case KeyCommand::Activate:
                activate(Focus().Focused());
                break;
            case KeyCommand::Cancel:
                reject();
                break;
            default:
                onCapture(action);
                break;
        }
    }
}

}  // namespace voltrane

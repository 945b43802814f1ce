#pragma once
// The macro editor: the user records key chords and mouse clicks into one macro, inserts or extends
// pauses, deletes a step or clears the list, and ends with OK or Cancel. It records every key from its
// opening until Esc is held; then Tab, the arrows, Enter, Space and Esc work its controls, and Enter
// or Space on the step list, or any other key, records again.

#include <QRect>
#include <QTimer>
#include <functional>

#include "capture/key_names.h"
#include "capture/macro_recorder.h"
#include "dialogs/capture_dialog.h"
#include "skin/skin_images.h"

namespace voltrane {

class CMacro : public CaptureDialog {
public:
    // Regions: 0 step list, 1 delay value, 2-3 delay check boxes, 4 insert delay, 5 delete, 6 clean,
    // 7-13 mouse buttons and wheel, 14-15 delay spinner, 16 OK, 17 Cancel; 18 none.
    enum Region : int {
        kStepList = 0,
        kDelayBox = 1,
        kInsertDelay = 4,
        kDelete = 5,
        kClean = 6,
        kFirstMouse = 7,
        kLastMouse = 13,
        kOk = 16,
        kCancel = 17,
        kNone = 18
    };

    // Under the step list: how many step records the macro makes, against what a button holds.
    static constexpr QRect kRecordRect{255, 368, 385, 14};

    // Shows the length-limit message (text, title) and returns when it has been closed.
    using LimitMessage = std::function<void(const QString& text, const QString& title)>;

    // An editor drawn from `images` of a copy of `record` in `language` (0..5), capturing keys with
    // `grab` once shown. The length-limit message goes to `limitMessage`; the skinned message box when
    // it is empty. Keys are named by `keyNames`; the images and names must outlive the editor.
    CMacro(const SkinImages& images, const MacroRecord& record, int language, QWidget* parent = nullptr,
           KeyboardGrab grab = PlatformKeyboardGrab, LimitMessage limitMessage = {},
           const KeyNames& keyNames = UsKeyNames());

    const MacroRecorder& Recorder() const { return m_recorder; }
    const QTimer& SpinTimer() const { return m_spinTimer; }
    int HotRegion() const { return m_nHotRegion; }
    // Whether keys are being recorded.
    bool Recording() const { return m_keys.Armed(); }

    void OnKeysLost() override;

    void PressControl(int index) override;
    void StepControl(int index, int delta) override;

protected:
    std::vector<PaintedControl> Controls() const override;
    void paintSkin(QPainter& painter, const QRect& dirty) override;
    bool pressRegion(QPoint point) override;
    void hover(QPoint point) override;
    void releaseRegion(QPoint point) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void onCapture(const KeyAction& action) override;
    void activate(int region) override;

private:
    void keyDown(int keyIndex);
    void keyUp(int keyIndex);
    void record(bool on);
    void arrow(KeyCommand arrow);
    void act(int region);
    void spin();
    void showLimitMessage();
    void updateRegion(int region);
    void updateSteps();
    void paintSteps(QPainter& painter) const;
    void paintControls(QPainter& painter) const;
    void paintStrip(QPainter& painter, int region) const;

    const SkinImages& m_images;
    int m_nLanguage;
    const KeyNames& m_keyNames;
    MacroRecorder m_recorder;
    LimitMessage m_limitMessage;
    QTimer m_spinTimer;
    int m_nHotRegion = kNone;
    int m_nHoverRow = -1;
};

// Runs the editor modally, drawn from `images`, on a copy of `record` in `language`, naming keys by
// `keyNames`. OK with at least
// one step copies the edited record back; returns true when that changed `record`. Cancel, or OK with an
// empty list, leaves it as it was.
bool RunMacroDialog(QWidget* parent, const SkinImages& images, MacroRecord& record, int language,
                    const KeyNames& keyNames);

}  // namespace voltrane

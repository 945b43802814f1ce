#pragma once
// The keyboard of a capture dialog: while the dialog is the active window and captures keys (it is
// armed, or recording) it holds the keyboard grab, so that the window manager's and other programs'
// shortcuts (Alt+Tab, the Super keys, Alt+F4) reach the dialog instead. Every press, auto-repeat and
// release is turned into a key-table row and handed to the dialog, which decides what it captures and
// which keys work the dialog (capture/capture_keys.h); no key reaches the dialog as an ordinary key.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <optional>

#include "capture/capture_grab.h"
#include "capture/key_translation.h"
#include "dialogs/shortcuts_inhibit.h"

class QKeyEvent;
class QPainter;
class QRect;
class QWidget;
class QWindow;

namespace voltrane {

// The capture dialog's side: its handler takes the key's key-table row and what happened to the key.
class KeyCaptureTarget {
public:
    virtual void OnCaptureKey(int keyIndex, KeyTransition transition) = 0;
    // The dialog lost the keyboard (its grab or its focus): the held keys' releases will not arrive.
    virtual void OnKeysLost() = 0;

protected:
    ~KeyCaptureTarget() = default;
};

// Takes the keyboard grab for the shown, active `window`; returns whether the platform granted it,
// refused it (or cannot grab), or will answer later. Later answers and changes of mind reach
// `notice`, until the grab is let go.
using KeyboardGrab = CaptureGrab::Answer (*)(QWidget& window, const GrabNotice& notice);

// The desktop's grab: on Wayland (the platform name starts with "wayland"), the compositor's
// shortcuts inhibited for the window, pending until the compositor answers; else the result of the
// window system's grab.
CaptureGrab::Answer PlatformKeyboardGrab(QWidget& window, const GrabNotice& notice);

class KeyboardCapture : public QObject {
public:
    // Captures the keys of `dialog` for `target` from the dialog's showing until it is hidden (accept,
    // reject, close) or destroyed; `grab` takes the grab whenever the dialog is activated, and it is
    // let go whenever the dialog loses the focus (a request still unanswered is kept).
    KeyboardCapture(QWidget& dialog, KeyCaptureTarget& target, KeyboardGrab grab = PlatformKeyboardGrab);
    ~KeyboardCapture() override;

    // Whether the dialog holds the grab. Without it keys are captured only while the dialog has the
    // focus, and system shortcuts go to the desktop.
    bool Grabbed() const { return m_state.Held(); }

    // Whether the dialog must say that system shortcuts cannot be captured: it is the active window
    // and the platform has no grab or refused it, or has left it unanswered for kAnswerWaitMs since
    // the dialog was activated. (Before the window system shows and activates the dialog the grab is
    // not asked for.)
    bool ShowsNote() const { return m_state.ShowsNote(); }
    static constexpr int kAnswerWaitMs = 1000;

    // Lets go of the keyboard while the dialog opens a box of its own, and takes it back afterwards.
    void Suspend();
    void Resume();

    // The dialog starts or stops capturing keys: the grab is taken or let go with it. A dialog
    // captures from its opening until it says otherwise.
    void SetArmed(bool armed);

    // A key's release waits this long for a press of the same key at the same time: the X server
    // reports each auto-repeat as such a pair, and the toolkit does not always mark it. The pair is
    // then one auto-repeat. Releases without a time (made by a program) are handed on at once.
    const QTimer& ReleaseTimer() const { return m_releaseTimer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void activated();
    void follow(CaptureGrab::Event event);
    void grab();
    void release();
    void press(const QKeyEvent& event);
    void holdRelease(const QKeyEvent& event);
    void flushRelease();
    void deliver(uint32_t scanCode, uint32_t keysym, KeyTransition transition);

    struct HeldRelease {
        uint32_t scanCode;
        uint32_t keysym;
        quint64 timestamp;
    };

    QWidget& m_dialog;
    KeyCaptureTarget& m_target;
    KeyboardGrab m_grab;
    CaptureGrab m_state;
    QTimer m_releaseTimer;
    std::optional<HeldRelease> m_heldRelease;
    QTimer m_answerWait;         // from an activation with the request unanswered
    QPointer<QWindow> m_window;  // the dialog's window, watched for its exposure
};

// Paints, in grey in the small font of `language`, the note that system shortcuts cannot be captured,
// for a dialog whose KeyboardCapture ShowsNote().
void PaintCaptureNote(QPainter& painter, const QRect& rect, int language);

}  // namespace voltrane

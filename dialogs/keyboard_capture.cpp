#include "dialogs/keyboard_capture.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include "capture/dialog_texts.h"
#include "capture/keyboard_hook.h"
#include "dialogs/shortcuts_inhibit.h"
#include "skin/window_system.h"
#include "skin/fitted_text.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"
#include "skin/skin_fonts.h"

namespace voltrane {

namespace {
constexpr int kRepeatPairMs = 20;  // the X server sends an auto-repeat's release and press together
}  // namespace

CaptureGrab::Answer PlatformKeyboardGrab(QWidget& window, const GrabNotice& notice) {
    using Answer = CaptureGrab::Answer;
    if (CurrentWindowSystem() == WindowSystem::Wayland)
        return InhibitShortcuts(window, notice) ? Answer::Pending : Answer::Refused;
    QWindow* handle = window.windowHandle();
    return handle && handle->setKeyboardGrabEnabled(true) ? Answer::Granted : Answer::Refused;
}

KeyboardCapture::KeyboardCapture(QWidget& dialog, KeyCaptureTarget& target, KeyboardGrab grab)
    : m_dialog(dialog), m_target(target), m_grab(grab) {
    m_dialog.setFocusPolicy(Qt::StrongFocus);
    m_dialog.installEventFilter(this);
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setInterval(kRepeatPairMs);
    connect(&m_releaseTimer, &QTimer::timeout, this, [this] { flushRelease(); });
    m_answerWait.setSingleShot(true);
    m_answerWait.setInterval(kAnswerWaitMs);
    connect(&m_answerWait, &QTimer::timeout, this, [this] {
        m_state.Unanswered();
        m_dialog.update();
    });
}

KeyboardCapture::~KeyboardCapture() {
    m_dialog.removeEventFilter(this);
    release();
}

void KeyboardCapture::Suspend() { follow(CaptureGrab::Event::Suspended); }

void KeyboardCapture::Resume() { follow(CaptureGrab::Event::Resumed); }

void KeyboardCapture::SetArmed(bool armed) {
    follow(armed ? CaptureGrab::Event::Armed : CaptureGrab::Event::Disarmed);
}

// The dialog counts as activated once it is the active window and its window is exposed: on Wayland,
// once its surface is a toplevel the compositor has configured (a compositor grants nothing to a
// surface without one, and Qt activates a modal dialog before it has one).
void KeyboardCapture::activated() {
    if (!m_window || !m_window->isExposed() || !m_dialog.isActiveWindow()) return;
    follow(CaptureGrab::Event::Activated);
    if (m_state.Pending()) m_answerWait.start();
}

bool KeyboardCapture::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && watched != &m_dialog) {
        if (event->type() == QEvent::Expose) activated();
        return false;
    }
    if (watched != &m_dialog) return false;
    switch (event->type()) {
        case QEvent::Show:
            if (m_dialog.windowHandle() != m_window) {
                m_window = m_dialog.windowHandle();
                if (m_window) m_window->installEventFilter(this);
            }
            follow(CaptureGrab::Event::Shown);
            return false;
        case QEvent::WindowActivate:
            activated();
            return false;
        case QEvent::Hide:
            flushRelease();
            follow(CaptureGrab::Event::Hidden);
            return false;
        case QEvent::WindowDeactivate:
            flushRelease();
            m_target.OnKeysLost();
            m_answerWait.stop();
            follow(CaptureGrab::Event::Deactivated);
            return false;
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        case QEvent::KeyPress:
            press(static_cast<const QKeyEvent&>(*event));
            return true;
        case QEvent::KeyRelease:
            holdRelease(static_cast<const QKeyEvent&>(*event));
            return true;
        default:
            return false;
    }
}

void KeyboardCapture::follow(CaptureGrab::Event event) {
    switch (m_state.On(event)) {
        case CaptureGrab::Step::Take:
            grab();
            break;
        case CaptureGrab::Step::Release:
            release();
            break;
        case CaptureGrab::Step::Keep:
            break;
    }
}

// The grab where the platform gives it, for the active dialog; it takes the focus either way, so that
// keys reach it without the grab too. Qt's own grab sends the application's key events to the dialog. The note
// follows the platform's answers, a late one included.
void KeyboardCapture::grab() {
    m_state.Answered(m_grab(m_dialog, [this](bool granted) {
        m_state.Changed(granted);
        m_dialog.update();
    }));
    if (m_state.Pending()) m_answerWait.start();
    m_dialog.update();
    m_dialog.grabKeyboard();
    m_dialog.setFocus();
}

void KeyboardCapture::release() {
    m_answerWait.stop();
    if (QWidget::keyboardGrabber() == &m_dialog) m_dialog.releaseKeyboard();
    RestoreShortcuts(m_dialog);
    m_dialog.update();
}

// A press at the time of the release held back is the second half of an auto-repeat.
void KeyboardCapture::press(const QKeyEvent& event) {
    bool repeat = event.isAutoRepeat();
    if (m_heldRelease && m_heldRelease->scanCode == event.nativeScanCode() &&
        m_heldRelease->timestamp == event.timestamp()) {
        m_heldRelease.reset();
        m_releaseTimer.stop();
        repeat = true;
    }
    flushRelease();
    deliver(event.nativeScanCode(), event.nativeVirtualKey(),
            repeat ? KeyTransition::Repeat : KeyTransition::Press);
}

// A release marked as an auto-repeat's is no release; an unmarked one waits for its possible press.
void KeyboardCapture::holdRelease(const QKeyEvent& event) {
    if (event.isAutoRepeat()) return;
    flushRelease();
    if (event.timestamp() == 0)
        return deliver(event.nativeScanCode(), event.nativeVirtualKey(), KeyTransition::Release);
    m_heldRelease = HeldRelease{event.nativeScanCode(), event.nativeVirtualKey(), event.timestamp()};
    m_releaseTimer.start();
}

void KeyboardCapture::flushRelease() {
    if (!m_heldRelease) return;
    const HeldRelease release = *m_heldRelease;
    m_heldRelease.reset();
    m_releaseTimer.stop();
    deliver(release.scanCode, release.keysym, KeyTransition::Release);
}

// The native key (scan code and keysym) as a key-table row.
void KeyboardCapture::deliver(uint32_t scanCode, uint32_t keysym, KeyTransition transition) {
    const HookResult hook = KeyboardHookProc(TranslateNativeKey({scanCode, keysym, transition}));
    m_target.OnCaptureKey(hook.keyIndex, transition);
}

void PaintCaptureNote(QPainter& painter, const QRect& rect, int language) {
    painter.setFont(SmallFont(language));
    painter.setPen(kGreyText);
    DrawFittedText(painter, rect, ToQString(CaptureNoteText(language)), Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace voltrane

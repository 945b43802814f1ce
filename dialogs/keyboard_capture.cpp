#include "dialogs/keyboard_capture.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include "capture/dialog_texts.h"
#include "capture/keyboard_hook.h"
#include "dialogs/shortcuts_inhibit.h"
#include "skin/fitted_text.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"
#include "skin/skin_fonts.h"

namespace voltrane {

CaptureGrab::Answer PlatformKeyboardGrab(QWidget& window, const GrabNotice& notice) {
    using Answer = CaptureGrab::Answer;
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
        return InhibitShortcuts(window, notice) ? Answer::Pending : Answer::Refused;
    QWindow* handle = window.windowHandle();
    return handle && handle->setKeyboardGrabEnabled(true) ? Answer::Granted : Answer::Refused;
}

KeyboardCapture::KeyboardCapture(QWidget& dialog, KeyCaptureTarget& target, KeyboardGrab grab)
    : m_dialog(dialog), m_target(target), m_grab(grab) {
    m_dialog.setFocusPolicy(Qt::StrongFocus);
    m_dialog.installEventFilter(this);
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

bool KeyboardCapture::BlocksWindowManagerMove() const {
    return Grabbed() && QGuiApplication::platformName() == QLatin1String("xcb");
}

void KeyboardCapture::Suspend() { follow(CaptureGrab::Event::Suspended); }

void KeyboardCapture::Resume() { follow(CaptureGrab::Event::Resumed); }

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
            follow(CaptureGrab::Event::Hidden);
            return false;
        case QEvent::WindowDeactivate:
            m_target.OnKeysLost();
            m_answerWait.stop();
            follow(CaptureGrab::Event::Deactivated);
            return false;
        case QEvent::ShortcutOverride:
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            deliver(static_cast<const QKeyEvent&>(*event));
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

// Press, auto-repeat and release, as the native key the event carries (scan code and keysym).
void KeyboardCapture::deliver(const QKeyEvent& event) {
    const std::optional<KeyTransition> transition =
        TransitionOf(event.type() == QEvent::KeyPress, event.isAutoRepeat());
    if (!transition) return;
    const HookResult hook = KeyboardHookProc(
        TranslateNativeKey({event.nativeScanCode(), event.nativeVirtualKey(), *transition}));
    if (hook.message == WM_HOOK_KEYDOWN) {
        m_target.OnHookKeyDown(hook.keyIndex);
    } else {
        m_target.OnHookKeyUp(hook.keyIndex);
    }
}

void PaintCaptureNote(QPainter& painter, const QRect& rect, int language) {
    painter.setFont(SmallFont(language));
    painter.setPen(kGreyText);
    DrawFittedText(painter, rect, ToQString(CaptureNoteText(language)), Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace voltrane

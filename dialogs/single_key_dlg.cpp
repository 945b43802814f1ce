#include "dialogs/single_key_dlg.h"

#include <QPainter>

#include "capture/dialog_texts.h"
#include "dialogs/keyboard_cues.h"
#include "skin/dialog_regions.h"
#include "skin/fitted_text.h"
#include "skin/focus_ring.h"
#include "skin/item_qrect.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"
#include "skin/skin_fonts.h"
#include "skin/skin_images.h"

namespace voltrane {

namespace {

QRect regionRect(int region) { return SkinQRect(kSingleKeyRegions[static_cast<std::size_t>(region)]); }

QString buttonText(DialogButton button, int language) {
    return ToQString(SingleKeyButtonText(button, language)).trimmed();
}

}  // namespace

CSingleKey::CSingleKey(const SkinImages& images, int language, QWidget* parent, KeyboardGrab grab,
                       const KeyNames& keyNames)
    : CaptureDialog(images[kSingleKeyMask], parent, {kKeyField, kOk, kCancel}, {kKeyField, kOk, kCancel},
                    CaptureEnd::AfterCombination, grab),
      m_images(images),
      m_nLanguage(language),
      m_keyNames(keyNames) {
    setWindowTitle(ToQString(DialogPartName(DialogPart::SingleKey, language)));
    InstallPaintedAccessibility();
}

void CSingleKey::OnKeysLost() {
    m_capture.OnKeysLost();
    m_keys.KeysLost();
}

void CSingleKey::onCapture(const KeyAction& action) {
    switch (action.command) {
        case KeyCommand::Capture:
            m_capture.OnHookKeyDown(action.keyIndex);
            return update(regionRect(kKeyComboRegion));
        case KeyCommand::CaptureUp:
            return m_capture.OnHookKeyUp(action.keyIndex);
        case KeyCommand::Arm:
            return arm();
        case KeyCommand::Stop:
            m_capture.OnChordDropped();
            [[fallthrough]];
        case KeyCommand::Done:
            return disarm();
        default:  // the arrows: the dialog has nothing they move
            return;
    }
}

// Enter or Space on the key field captures anew; on OK or Cancel they end the dialog.
void CSingleKey::activate(int control) {
    if (control == kOk) return accept();
    if (control == kCancel) return reject();
    m_keys.Arm();
    arm();
}

// Capturing: the focus on the key field, the keyboard grabbed.
void CSingleKey::arm() {
    m_keyboard.SetArmed(true);
    static_cast<void>(moveFocusTo(kKeyField, Focus().RingShown()));
}

// A combination is in: the keyboard goes back to the desktop and the focus to OK, so that Enter
// confirms it.
void CSingleKey::disarm() {
    m_keyboard.SetArmed(false);
    static_cast<void>(moveFocusTo(kOk, true));
}

void CSingleKey::paintSkin(QPainter& painter, const QRect& dirty) {
    painter.setFont(LargeFont(m_nLanguage));
    CopySkinRect(painter, m_images[kSingleKeyNormal], dirty);
    painter.setPen(kWhiteText);
    DrawFittedText(painter, regionRect(kKeyComboRegion), ToQString(ShownText()), Qt::AlignCenter);
    const QImage& down = m_images[kSingleKeyDown];
    PaintDialogButton(painter, down, regionRect(kOk),
                      ToQString(SingleKeyButtonText(DialogButton::Ok, m_nLanguage)), m_nHotRegion == kOk);
    PaintDialogButton(painter, down, regionRect(kCancel),
                      ToQString(SingleKeyButtonText(DialogButton::Cancel, m_nLanguage)),
                      m_nHotRegion == kCancel);
    if (m_keyboard.ShowsNote()) PaintCaptureNote(painter, SkinQRect(kSingleKeyNoteRect), m_nLanguage);
    PaintKeyboardHint(painter, SkinQRect(kSingleKeyHintRect),
                      Armed() ? KeyboardHint::SingleKeyCapturing : KeyboardHint::SingleKeyDone,
                      m_nLanguage);
    if (Focus().RingShown()) DrawFocusRing(painter, regionRect(Focus().Focused()));
}

bool CSingleKey::pressRegion(QPoint point) {
    hideFocusRing();
    return regionRect(kOk).contains(point) || regionRect(kCancel).contains(point);
}

void CSingleKey::hover(QPoint point) {
    int hot = kNone;
    if (regionRect(kOk).contains(point)) hot = kOk;
    if (regionRect(kCancel).contains(point)) hot = kCancel;
    if (hot == m_nHotRegion) return;
    if (m_nHotRegion != kNone) update(regionRect(m_nHotRegion));
    if (hot != kNone) update(regionRect(hot));
    m_nHotRegion = hot;
}

void CSingleKey::releaseRegion(QPoint point) {
    if (regionRect(kOk).contains(point)) accept();
    if (regionRect(kCancel).contains(point)) reject();
}

// The key field, OK, Cancel, and the line that says how the keys work.
std::vector<PaintedControl> CSingleKey::Controls() const {
    PaintedControl field = MakePaintedControl(QAccessible::EditableText,
                                              ToQString(DialogPartName(DialogPart::KeyField, m_nLanguage)),
                                              regionRect(kKeyComboRegion), true);
    field.shownText = ToQString(ShownText());
    const KeyboardHint hint = Armed() ? KeyboardHint::SingleKeyCapturing : KeyboardHint::SingleKeyDone;
    return {field,
            MakePaintedControl(QAccessible::PushButton, buttonText(DialogButton::Ok, m_nLanguage),
                               regionRect(kOk), true),
            MakePaintedControl(QAccessible::PushButton, buttonText(DialogButton::Cancel, m_nLanguage),
                               regionRect(kCancel), true),
            MakePaintedControl(QAccessible::StaticText, ToQString(KeyboardHintText(hint, m_nLanguage)),
                               SkinQRect(kSingleKeyHintRect), false)};
}

std::optional<KeyString> RunSingleKeyDialog(QWidget* parent, const SkinImages& images, int language,
                                            const KeyNames& keyNames) {
    CSingleKey dialog(images, language, parent, PlatformKeyboardGrab, keyNames);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Capture().OkResult().value_or(KeyString{});
}

}  // namespace voltrane

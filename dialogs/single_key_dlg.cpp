#include "dialogs/single_key_dlg.h"

#include <QPainter>

#include "capture/dialog_texts.h"
#include "skin/dialog_regions.h"
#include "skin/fitted_text.h"
#include "skin/item_qrect.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"
#include "skin/skin_fonts.h"
#include "skin/skin_images.h"

namespace voltrane {

namespace {

QRect regionRect(int region) { return SkinQRect(kSingleKeyRegions[static_cast<std::size_t>(region)]); }

}  // namespace

CSingleKey::CSingleKey(const SkinImages& images, int language, QWidget* parent, KeyboardGrab grab,
                       const KeyNames& keyNames)
    : SkinnedDialog(images[kSingleKeyMask], parent),
      m_images(images),
      m_nLanguage(language),
      m_keyNames(keyNames),
      m_keyboard(*this, *this, grab) {}

void CSingleKey::OnHookKeyDown(int keyIndex) {
    m_capture.OnHookKeyDown(keyIndex);
    update(regionRect(kKeyComboRegion));
}

void CSingleKey::OnHookKeyUp(int keyIndex) { m_capture.OnHookKeyUp(keyIndex); }

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
}

bool CSingleKey::pressRegion(QPoint point) {
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

std::optional<KeyString> RunSingleKeyDialog(QWidget* parent, const SkinImages& images, int language,
                                            const KeyNames& keyNames) {
    CSingleKey dialog(images, language, parent, PlatformKeyboardGrab, keyNames);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Capture().OkResult().value_or(KeyString{});
}

}  // namespace voltrane

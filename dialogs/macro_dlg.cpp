#include "dialogs/macro_dlg.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <cstring>

#include "dialogs/step_list_painter.h"
#include "settings/text_tables.h"
#include "skin/dialog_regions.h"
#include "skin/item_qrect.h"
#include "skin/msg_box_dlg.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"
#include "skin/skin_images.h"

namespace voltrane {

namespace {

constexpr int kSpinPeriodMs = 100;
constexpr int kLimitTitleRow = 0;
constexpr int kLimitTextRow = 1;

QRect regionRect(int region) { return SkinQRect(kMacroEditorRegions[static_cast<std::size_t>(region)]); }

}  // namespace

CMacro::CMacro(const SkinImages& images, const MacroRecord& record, int language, QWidget* parent,
               KeyboardGrab grab, LimitMessage limitMessage, const KeyNames& keyNames)
    : SkinnedDialog(images[kMacroMask], parent),
      m_images(images),
      m_nLanguage(language),
      m_keyNames(keyNames),
      m_recorder(record),
      m_keyboard(*this, *this, grab),
      m_limitMessage(std::move(limitMessage)) {
    if (!m_limitMessage) {
        m_limitMessage = [this](const QString& text, const QString& title) {
            ShowMsgBox(text, title, m_nLanguage, SmallFont(m_nLanguage), this);
        };
    }
    m_spinTimer.setInterval(kSpinPeriodMs);
    connect(&m_spinTimer, &QTimer::timeout, this, [this] { spin(); });
}

void CMacro::OnHookKeyDown(int keyIndex) {
    m_recorder.OnHookKeyDown(keyIndex);
    updateRegion(kStepList);
}

void CMacro::OnHookKeyUp(int keyIndex) {
    const bool full = m_recorder.OnHookKeyUp(keyIndex);
    updateSteps();
    if (full) showLimitMessage();
}

void CMacro::OnKeysLost() {
    m_recorder.OnKeysLost();
    updateRegion(kStepList);
}

bool CMacro::pressRegion(QPoint point) {
    hover(point);
    if (m_nHotRegion == kSpinUpRegion || m_nHotRegion == kSpinDownRegion) {
        m_recorder.Spinner().Start(m_nHotRegion == kSpinUpRegion ? SpinDirection::Up : SpinDirection::Down);
        updateRegion(kDelayBox);
        m_spinTimer.start();
    }
    return m_nHotRegion != kNone;
}

void CMacro::hover(QPoint point) {
    const int rowBefore = m_nHoverRow;
    m_nHoverRow = -1;
    int hot = kNone;
    for (int region = 0; region < kNone && hot == kNone; ++region) {
        if (regionRect(region).contains(point)) hot = region;
    }
    if (hot == kStepList) {
        m_nHoverRow = (point.y() - regionRect(kStepList).top()) / kStepRowHeight + m_recorder.TopRow();
    }
    if (m_nHoverRow != rowBefore) updateRegion(kStepList);
    if (hot == m_nHotRegion) return;
    updateRegion(hot);
    updateRegion(m_nHotRegion);
    m_nHotRegion = hot;
}

// The spinner stops on any release of the left button, a drag's included.
void CMacro::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_recorder.Spinner().Stop();
        m_spinTimer.stop();
    }
    SkinnedDialog::mouseReleaseEvent(event);
}

void CMacro::releaseRegion(QPoint point) {
    hover(point);
    act(m_nHotRegion);
    updateRegion(m_nHotRegion);
    updateSteps();
}

void CMacro::act(int region) {
    switch (region) {
        case kStepList:
            return m_recorder.SelectRow(m_nHoverRow);
        case kFirstCheckRegion:
            return m_recorder.ToggleDelayAfterDown();
        case kLastCheckRegion:
            return m_recorder.ToggleDelayAfterUp();
        case kInsertDelay:
            return m_recorder.InsertDelayAtSelection();
        case kDelete:
            return m_recorder.DeleteSelection();
        case kClean:
            m_recorder.Clean();
            return update();
        case kOk:
            return accept();
        case kCancel:
            return reject();
        default:
            break;
    }
    if (region >= kFirstMouse && region <= kLastMouse &&
        m_recorder.RecordMouse(static_cast<MouseChoice>(region - kFirstMouse))) {
        showLimitMessage();
    }
}

// One step of the held spinner, every 100 ms.
void CMacro::spin() {
    m_recorder.Spinner().Tick();
    updateRegion(kDelayBox);
}

void CMacro::wheelEvent(QWheelEvent* event) {
    if (m_nHotRegion == kStepList && m_recorder.Scroll(event->angleDelta().y())) updateRegion(kStepList);
    SkinnedDialog::wheelEvent(event);
}

// The box takes the keyboard while it is open, so that Enter closes it; capture resumes afterwards.
void CMacro::showLimitMessage() {
    m_keyboard.Suspend();
    m_limitMessage(ToQString(GetText(TextTable::MacroLimit, kLimitTextRow, m_nLanguage)),
                   ToQString(GetText(TextTable::MacroLimit, kLimitTitleRow, m_nLanguage)));
    m_recorder.LimitMessageClosed();
    m_keyboard.Resume();
}

void CMacro::updateRegion(int region) {
    if (region < kNone) update(regionRect(region));
}

// The steps changed, or may have: the list and the record count under it.
void CMacro::updateSteps() {
    updateRegion(kStepList);
    update(kRecordRect);
}

bool RunMacroDialog(QWidget* parent, const SkinImages& images, MacroRecord& record, int language,
                    const KeyNames& keyNames) {
    CMacro dialog(images, record, language, parent, PlatformKeyboardGrab, {}, keyNames);
    if (dialog.exec() != QDialog::Accepted || dialog.Recorder().Record().count == 0) return false;
    const MacroRecord& edited = dialog.Recorder().Record();
    if (std::memcmp(&edited, &record, sizeof(MacroRecord)) == 0) return false;
    record = edited;
    return true;
}

}  // namespace voltrane

#include "dialogs/macro_dlg.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <cstring>

#include "capture/dialog_texts.h"
#include "capture/step_text.h"
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
constexpr int kWheelNotch = 120;  // one notch of the wheel, as the list scrolls by it
constexpr int kLimitTitleRow = 0;
constexpr int kLimitTextRow = 1;

QRect regionRect(int region) { return SkinQRect(kMacroEditorRegions[static_cast<std::size_t>(region)]); }

// The Tab order, in reading order: the step list, the mouse buttons and wheel as they stand in their
// two columns, the check boxes, Insert delay, the delay value, Delete, Clean, OK and Cancel.
const std::vector<int> kTabOrder = {0, 10, 12, 7, 8, 11, 9, 13, 2, 3, 4, 1, 5, 6, 16, 17};

// The regions a screen reader sees, in the order of their child numbers (the spinner's arrows are
// the delay value's increase and decrease).
const std::vector<int> kAccessibleRegions = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 17};
const int kAccessibleCount = static_cast<int>(kAccessibleRegions.size());

QString label(int region, int language) {
    return ToQString(GetText(TextTable::MacroEditor, region, language)).trimmed();
}

}  // namespace

CMacro::CMacro(const SkinImages& images, const MacroRecord& record, int language, QWidget* parent,
               KeyboardGrab grab, LimitMessage limitMessage, const KeyNames& keyNames)
    : CaptureDialog(images[kMacroMask], parent, kAccessibleRegions, kTabOrder, CaptureEnd::OnlyByEsc, grab),
      m_images(images),
      m_nLanguage(language),
      m_keyNames(keyNames),
      m_recorder(record),
      m_limitMessage(std::move(limitMessage)) {
    setWindowTitle(ToQString(DialogPartName(DialogPart::MacroEditor, m_nLanguage)));
    InstallPaintedAccessibility();
    if (!m_limitMessage) {
        m_limitMessage = [this](const QString& text, const QString& title) {
            ShowMsgBox(text, title, m_nLanguage, SmallFont(m_nLanguage), this);
        };
    }
    m_spinTimer.setInterval(kSpinPeriodMs);
    connect(&m_spinTimer, &QTimer::timeout, this, [this] { spin(); });
}

void CMacro::onCapture(const KeyAction& action) {
    switch (action.command) {
        case KeyCommand::Capture:
            return keyDown(action.keyIndex);
        case KeyCommand::CaptureUp:
            return keyUp(action.keyIndex);
        case KeyCommand::Arm:
            return record(true);
        case KeyCommand::Stop:
        case KeyCommand::Done:
            m_recorder.OnKeysLost();
            return record(false);
        case KeyCommand::Up:
        case KeyCommand::Down:
        case KeyCommand::Left:
        case KeyCommand::Right:
            return arrow(action.command);
        default:  // the commands that work any capture dialog are CaptureDialog's
            return;
    }
}

void CMacro::keyDown(int keyIndex) {
    m_recorder.OnHookKeyDown(keyIndex);
    updateRegion(kStepList);
}

void CMacro::keyUp(int keyIndex) {
    const bool full = m_recorder.OnHookKeyUp(keyIndex);
    updateSteps();
    if (full) showLimitMessage();
}

void CMacro::OnKeysLost() {
    m_recorder.OnKeysLost();
    m_keys.KeysLost();
    updateRegion(kStepList);
}

// Recording on takes the keyboard and puts the focus on the step list; off gives the keyboard back
// with the focus on the list, from where Tab goes on.
void CMacro::record(bool on) {
    m_keyboard.SetArmed(on);
    static_cast<void>(moveFocusTo(kStepList, !on || Focus().RingShown()));
}

// Up and Down move the list's selection or step the delay value; Left and Right step the delay too.
void CMacro::arrow(KeyCommand arrow) {
    const bool up = arrow == KeyCommand::Up || arrow == KeyCommand::Right;
    if (Focus().Focused() == kDelayBox) {
        StepControl(controlOf(kDelayBox), up ? 1 : -1);
    } else if (Focus().Focused() == kStepList && (arrow == KeyCommand::Up || arrow == KeyCommand::Down)) {
        const int row = m_recorder.SelRow() + (up ? -1 : 1);
        if (row < 0 || row > static_cast<int>(m_recorder.Record().count)) return;
        m_recorder.SelectRow(row);
        if (row < m_recorder.TopRow() || row >= m_recorder.TopRow() + kEditorVisibleSteps)
            static_cast<void>(m_recorder.Scroll(up ? kWheelNotch : -kWheelNotch));
        updateSteps();
    }
}

// Enter or Space: the step list records again, the delay value does nothing, the rest act as a click.
void CMacro::activate(int region) {
    if (region == kDelayBox) return;
    if (region == kStepList) {
        m_keys.Arm();
        return record(true);
    }
    act(region);
    update();
}

bool CMacro::pressRegion(QPoint point) {
    hideFocusRing();
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

void CMacro::PressControl(int index) {
    if (index >= 0 && index < kAccessibleCount) return activate(kAccessibleRegions[index]);
    const int row = index - kAccessibleCount - 1;  // a shown step row, after the controls and the line
    if (row >= 0 && row < m_recorder.VisibleSteps()) {
        m_recorder.SelectRow(m_recorder.TopRow() + row);
        updateSteps();
    }
}

void CMacro::StepControl(int index, int delta) {
    if (index != controlOf(kDelayBox) || delta == 0) return;
    m_recorder.Spinner().Start(delta > 0 ? SpinDirection::Up : SpinDirection::Down);
    m_recorder.Spinner().Stop();
    updateRegion(kDelayBox);
    AnnounceValue(this, index);
}

// The controls, the line that says how the keys work, then one row per step inside the step list.
std::vector<PaintedControl> CMacro::Controls() const {
    std::vector<PaintedControl> controls;
    for (int region : kAccessibleRegions) {
        PaintedControl control = MakePaintedControl(QAccessible::PushButton, label(region, m_nLanguage),
                                                    regionRect(region), true);
        if (region == kStepList) {
            control.role = QAccessible::List;
            control.name = ToQString(DialogPartName(DialogPart::Steps, m_nLanguage));
        } else if (region == kDelayBox) {
            control.role = QAccessible::SpinBox;
            control.name = ToQString(DialogPartName(DialogPart::Delay, m_nLanguage));
            const int delay = m_recorder.Spinner().Value();
            control.value = PaintedValue{delay, kSpinnerMinimum, kSpinnerMaximum, QString::number(delay)};
        } else if (region == kFirstCheckRegion || region == kLastCheckRegion) {
            control.role = QAccessible::CheckBox;
            control.state.checkable = true;
            control.state.checked =
                region == kFirstCheckRegion ? m_recorder.DelayAfterDown() : m_recorder.DelayAfterUp();
        }
        controls.push_back(control);
    }
    controls.push_back(MakePaintedControl(
        QAccessible::StaticText,
        ToQString(KeyboardHintText(Recording() ? KeyboardHint::Recording : KeyboardHint::NotRecording,
                                   m_nLanguage)),
        SkinQRect(kMacroHintRect), false));
    const MacroRecord& macro = m_recorder.Record();
    const QRect list = regionRect(kStepList);
    for (int step = m_recorder.TopRow(); step < m_recorder.TopRow() + m_recorder.VisibleSteps(); ++step) {
        const int shown = step - m_recorder.TopRow();
        PaintedControl row = MakePaintedControl(
            QAccessible::ListItem,
            ToQString(StepRowText(macro.steps[step], step, m_nLanguage, m_keyNames))
                .replace(QLatin1Char('\t'), QLatin1Char(' ')),
            QRect(list.left(), list.top() + shown * kStepRowHeight, list.width(), kStepRowHeight), false);
        row.parent = controlOf(kStepList);
        row.state.selected = step == m_recorder.SelRow();
        controls.push_back(row);
    }
    return controls;
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

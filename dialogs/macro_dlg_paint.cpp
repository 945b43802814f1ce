// The macro editor's picture: the step list with the held keys and the budget, the delay value, the
// three-state check boxes and buttons, the spinner, OK and Cancel.

#include <QPainter>

#include "capture/step_text.h"
#include "dialogs/keyboard_cues.h"
#include "dialogs/macro_dlg.h"
#include "dialogs/step_list_painter.h"
#include "settings/button_records.h"
#include "settings/text_tables.h"
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

constexpr int kStripStates = 3;     // at rest, on, under the cursor: thirds of a strip, top to bottom
constexpr int kCheckBoxWidth = 18;  // a check box's label starts past its box
constexpr int kLampWidth = 8;       // a button's label is centred in the face beside its lamp

QRect regionRect(int region) { return SkinQRect(kMacroEditorRegions[static_cast<std::size_t>(region)]); }

QString label(int region, int language) {
    return ToQString(GetText(TextTable::MacroEditor, region, language));
}

}  // namespace

void CMacro::paintSkin(QPainter& painter, const QRect& dirty) {
    painter.setFont(SmallFont(m_nLanguage));
    CopySkinRect(painter, m_images[kMacroNormal], dirty);
    paintSteps(painter);
    painter.setPen(kWhiteText);
    painter.drawText(regionRect(kDelayBox), Qt::AlignCenter | Qt::TextSingleLine,
                     ToQString(DelayText(m_recorder.Spinner().Value())));
    paintControls(painter);
    painter.setFont(LargeFont(m_nLanguage));
    const QImage& down = m_images[kMacroDown];
    for (int region : {kSpinUpRegion, kSpinDownRegion}) {
        if (region == m_nHotRegion) CopySkinRect(painter, down, regionRect(region));
    }
    PaintDialogButton(painter, down, regionRect(kOk), label(kOk, m_nLanguage), m_nHotRegion == kOk);
    PaintDialogButton(painter, down, regionRect(kCancel), label(kCancel, m_nLanguage),
                      m_nHotRegion == kCancel);
    if (m_keyboard.ShowsNote()) PaintCaptureNote(painter, SkinQRect(kMacroNoteRect), m_nLanguage);
    PaintKeyboardHint(painter, SkinQRect(kMacroHintRect),
                      Recording() ? KeyboardHint::Recording : KeyboardHint::NotRecording, m_nLanguage);
    if (Focus().RingShown()) DrawFocusRing(painter, regionRect(Focus().Focused()));
}

// The rows from the top row, the selected one and the one under the cursor white; then the keys held,
// the budget in the list's top right corner, and under the list the records the macro makes.
void CMacro::paintSteps(QPainter& painter) const {
    const QRect next =
        PaintStepRows(painter, m_recorder.Record(), m_recorder.TopRow(), m_recorder.VisibleSteps(),
                      regionRect(kStepList), {m_recorder.SelRow(), m_nHoverRow}, m_nLanguage, m_keyNames);
    painter.setPen(kWhiteText);
    if (!m_recorder.Chord().Empty())
        DrawRowText(painter, next, ToQString(HeldChordText(m_recorder.Chord(), m_nLanguage, m_keyNames)),
                    m_nLanguage);
    painter.drawText(SkinQRect(kMacroBudgetRect), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     ToQString(BudgetText(m_recorder.Record())));
    DrawFittedText(painter, kRecordRect, ToQString(ButtonRecordText(m_recorder.Record(), m_nLanguage)),
                   Qt::AlignLeft | Qt::AlignVCenter);
}

void CMacro::paintControls(QPainter& painter) const {
    for (int region = kFirstCheckRegion; region <= kLastButtonRegion; ++region) paintStrip(painter, region);
}

// A check box or button from its strip: the middle third for a ticked box, the bottom third under the
// cursor, the top third otherwise; its label over the face.
void CMacro::paintStrip(QPainter& painter, int region) const {
    const bool check = region <= kLastCheckRegion;
    const QImage& strip = m_images[check ? kCheckStrip : kButtonStrip];
    const bool ticked = (region == kFirstCheckRegion && m_recorder.DelayAfterDown()) ||
                        (region == kLastCheckRegion && m_recorder.DelayAfterUp());
    const int state = ticked ? 1 : (region == m_nHotRegion ? 2 : 0);
    const QSize face(strip.deviceIndependentSize().toSize().width(),
                     strip.deviceIndependentSize().toSize().height() / kStripStates);
    const QRect target(regionRect(region).topLeft(), face);
    const qreal ratio = strip.devicePixelRatio();
    painter.drawImage(
        QRectF(target), strip,
        QRectF(0, state * face.height() * ratio, face.width() * ratio, face.height() * ratio));
    painter.setPen(state == 0 ? kGreyText : kWhiteText);
    const QRect text = regionRect(region).intersected(target);
    if (check) {
        DrawFittedText(painter, text.adjusted(kCheckBoxWidth, 0, 0, 0), label(region, m_nLanguage),
                       Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        DrawFittedText(painter, text.adjusted(kLampWidth, 0, 0, 0), label(region, m_nLanguage),
                       Qt::AlignCenter);
    }
}

}  // namespace voltrane

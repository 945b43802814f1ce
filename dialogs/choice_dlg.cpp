#include "dialogs/choice_dlg.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include "capture/dialog_texts.h"
#include "capture/step_text.h"
#include "dialogs/keyboard_cues.h"
#include "dialogs/step_list_painter.h"
#include "settings/button_records.h"
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

QRect regionRect(int region) { return SkinQRect(kChoiceRegions[static_cast<std::size_t>(region)]); }

// The row under `point` of a list whose first shown row is `top`.
int rowAt(QPoint point, int region, int top) {
    return (point.y() - regionRect(region).top()) / kStepRowHeight + top;
}

constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// The regions a screen reader sees, in the order of their child numbers; after them the line that
// says how the keys work, then the rows of the two lists.
const std::vector<int> kAccessibleRegions = {CChoice::kMacroList, CChoice::kStepList, CChoice::kOk,
                                             CChoice::kCancel};
const int kAccessibleCount = static_cast<int>(kAccessibleRegions.size());

}  // namespace

CChoice::CChoice(const SkinImages& images, const MacroStore& store, int language, QWidget* parent,
                 const KeyNames& keyNames)
    : FocusDialog(images[kMacroMask], parent, kAccessibleRegions, {kMacroList, kOk, kCancel}),
      m_images(images),
      m_store(store),
      m_nLanguage(language),
      m_keyNames(keyNames),
      m_choice(store.m_Macro, store.m_nMacroCount) {
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(ToQString(DialogPartName(DialogPart::Choice, m_nLanguage)));
    InstallPaintedAccessibility();
}

void CChoice::paintSkin(QPainter& painter, const QRect& dirty) {
    painter.setFont(SmallFont(m_nLanguage));
    CopySkinRect(painter, m_images[kMacroChoice], dirty);
    painter.setPen(kWhiteText);
    DrawFittedText(painter, regionRect(kMacroHeadingRegion), ToQString(m_choice.MacroHeading(m_nLanguage)),
                   kLeft);
    DrawFittedText(painter, regionRect(kStepHeadingRegion), ToQString(m_choice.StepHeading(m_nLanguage)),
                   kLeft);
    paintMacroList(painter);
    PaintStepRows(painter, m_choice.Preview(), m_choice.StepTop(), m_choice.VisibleSteps(),
                  regionRect(kStepList), {m_nHoverStep}, m_nLanguage, m_keyNames);
    painter.setFont(LargeFont(m_nLanguage));
    const QImage& down = m_images[kMacroDown];
    PaintDialogButton(painter, down, regionRect(kOk),
                      ToQString(ChoiceButtonText(DialogButton::Ok, m_nLanguage)), m_nHotRegion == kOk);
    PaintDialogButton(painter, down, regionRect(kCancel),
                      ToQString(ChoiceButtonText(DialogButton::Cancel, m_nLanguage)),
                      m_nHotRegion == kCancel);
    PaintKeyboardHint(painter, SkinQRect(kChoiceHintRect), KeyboardHint::Choice, m_nLanguage);
    if (Focus().RingShown()) DrawFocusRing(painter, regionRect(Focus().Focused()));
}

// The names from the top row: the selected one light blue and framed, the one under the cursor white.
void CChoice::paintMacroList(QPainter& painter) const {
    const QRect list = regionRect(kMacroList);
    QRect row = FirstListRow(list, kStepRowHeight);
    const int top = m_choice.MacroTop();
    for (int macro = top; macro < top + m_choice.VisibleMacros(); ++macro) {
        QColor colour = macro == m_nHoverMacro ? kWhiteText : kGreyText;
        if (macro == m_choice.SelMacro()) colour = kSelectedRow;
        painter.setPen(colour);
        if (macro == m_choice.SelMacro()) painter.drawRect(SelectedRowFrame(row));
        DrawRowFittedText(painter, row,
                          ToQString(MacroListName(m_store.m_strMacroNames[macro], m_store.m_Macro[macro])));
        row.translate(0, kStepRowHeight);
    }
}

bool CChoice::pressRegion(QPoint point) {
    hideFocusRing();
    hover(point);
    return m_nHotRegion != kNone;
}

void CChoice::hover(QPoint point) {
    const int macroBefore = m_nHoverMacro;
    const int stepBefore = m_nHoverStep;
    m_nHoverMacro = m_choice.SelMacro();
    m_nHoverStep = -1;
    int hot = kNone;
    for (int region = 0; region < kNone && hot == kNone; ++region) {
        if (regionRect(region).contains(point)) hot = region;
    }
    if (hot == kStepList) m_nHoverStep = rowAt(point, kStepList, m_choice.StepTop());
    const int macro = rowAt(point, kMacroList, m_choice.MacroTop());
    if (hot == kMacroList && macro < static_cast<int>(m_choice.MacroCount())) m_nHoverMacro = macro;
    if (m_nHoverMacro != macroBefore) updateRegion(kMacroList);
    if (m_nHoverStep != stepBefore) updateRegion(kStepList);
    if (hot == m_nHotRegion) return;
    updateRegion(hot);
    updateRegion(m_nHotRegion);
    m_nHotRegion = hot;
}

void CChoice::releaseRegion(QPoint point) {
    hover(point);
    if (m_nHotRegion == kMacroList && m_choice.SelectMacroRow(m_nHoverMacro)) update();
    if (m_nHotRegion == kOk) accept();
    if (m_nHotRegion == kCancel) reject();
}

void CChoice::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (m_nHotRegion == kMacroList && m_choice.ScrollMacros(delta)) updateRegion(kMacroList);
    if (m_nHotRegion == kStepList && m_choice.ScrollSteps(delta)) updateRegion(kStepList);
    SkinnedDialog::wheelEvent(event);
}

// The dialog takes the keyboard when it opens, as the capture dialogs do, so that its keys work at once
// wherever the window manager put the focus.
void CChoice::showEvent(QShowEvent* event) {
    SkinnedDialog::showEvent(event);
    activateWindow();
    setFocus();
}

// Enter and keypad Enter act when they go down; Esc is the dialog's own.
void CChoice::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return SkinnedDialog::keyPressEvent(event);
    if (!event->isAutoRepeat()) activate(Focus().Focused());
}

// Up and Down act when the key goes up, once more for each auto-repeat; Space when it goes up.
void CChoice::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space && !event->isAutoRepeat()) return activate(Focus().Focused());
    if (key != Qt::Key_Up && key != Qt::Key_Down) return SkinnedDialog::keyReleaseEvent(event);
    if (!m_choice.OnListKey(key == Qt::Key_Up ? ListKey::Up : ListKey::Down)) return;
    m_nHoverMacro = m_choice.SelMacro();
    update();
}

// Tab and Shift+Tab move the focus over the dialog's own controls.
bool CChoice::focusNextPrevChild(bool next) {
    moveFocus(next);
    return true;
}

// On the list or OK the choice is confirmed; on Cancel the dialog is cancelled.
void CChoice::activate(int region) {
    if (region == kCancel) return reject();
    accept();
}

// OK and Cancel press; a macro row is selected by its press.
void CChoice::PressControl(int index) {
    if (index >= 0 && index < kAccessibleCount) {
        if (kAccessibleRegions[index] == kOk || kAccessibleRegions[index] == kCancel)
            activate(kAccessibleRegions[index]);
        return;
    }
    const int row = index - kAccessibleCount - 1;  // the shown macro rows follow the controls and the line
    if (row >= 0 && row < m_choice.VisibleMacros() && m_choice.SelectMacroRow(m_choice.MacroTop() + row)) {
        m_nHoverMacro = m_choice.SelMacro();
        update();
    }
}

std::vector<PaintedControl> CChoice::Controls() const {
    std::vector<PaintedControl> controls{
        MakePaintedControl(QAccessible::List, ToQString(DialogPartName(DialogPart::Macros, m_nLanguage)),
                           regionRect(kMacroList), true),
        MakePaintedControl(QAccessible::List, ToQString(DialogPartName(DialogPart::Steps, m_nLanguage)),
                           regionRect(kStepList), false),
        MakePaintedControl(QAccessible::PushButton,
                           ToQString(ChoiceButtonText(DialogButton::Ok, m_nLanguage)).trimmed(),
                           regionRect(kOk), true),
        MakePaintedControl(QAccessible::PushButton,
                           ToQString(ChoiceButtonText(DialogButton::Cancel, m_nLanguage)).trimmed(),
                           regionRect(kCancel), true),
        MakePaintedControl(QAccessible::StaticText,
                           ToQString(KeyboardHintText(KeyboardHint::Choice, m_nLanguage)),
                           SkinQRect(kChoiceHintRect), false)};
    const QRect list = regionRect(kMacroList);
    for (int macro = m_choice.MacroTop(); macro < m_choice.MacroTop() + m_choice.VisibleMacros(); ++macro) {
        PaintedControl row = MakePaintedControl(
            QAccessible::ListItem,
            ToQString(MacroListName(m_store.m_strMacroNames[macro], m_store.m_Macro[macro])),
            QRect(list.left(), list.top() + (macro - m_choice.MacroTop()) * kStepRowHeight, list.width(),
                  kStepRowHeight),
            false);
        row.parent = controlOf(kMacroList);
        row.state.selected = macro == m_choice.SelMacro();
        controls.push_back(row);
    }
    const MacroRecord& preview = m_choice.Preview();
    const QRect stepList = regionRect(kStepList);
    for (int step = m_choice.StepTop(); step < m_choice.StepTop() + m_choice.VisibleSteps(); ++step) {
        PaintedControl row = MakePaintedControl(
            QAccessible::ListItem,
            ToQString(StepRowText(preview.steps[step], step, m_nLanguage, m_keyNames))
                .replace(QLatin1Char('\t'), QLatin1Char(' ')),
            QRect(stepList.left(), stepList.top() + (step - m_choice.StepTop()) * kStepRowHeight,
                  stepList.width(), kStepRowHeight),
            false);
        row.parent = controlOf(kStepList);
        controls.push_back(row);
    }
    return controls;
}

void CChoice::updateRegion(int region) {
    if (region < kNone) update(regionRect(region));
}

std::optional<int> RunChoiceDialog(QWidget* parent, const SkinImages& images, const MacroStore& store,
                                   int language, const KeyNames& keyNames) {
    CChoice dialog(images, store, language, parent, keyNames);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice().SelMacro();
}

}  // namespace voltrane

#include "dialogs/choice_dlg.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include "capture/dialog_texts.h"
#include "dialogs/step_list_painter.h"
#include "settings/button_records.h"
#include "skin/dialog_regions.h"
#include "skin/fitted_text.h"
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

}  // namespace

CChoice::CChoice(const SkinImages& images, const MacroStore& store, int language, QWidget* parent,
                 const KeyNames& keyNames)
    : SkinnedDialog(images[kMacroMask], parent),
      m_images(images),
      m_store(store),
      m_nLanguage(language),
      m_keyNames(keyNames),
      m_choice(store.m_Macro, store.m_nMacroCount) {
    setFocusPolicy(Qt::StrongFocus);
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
}

// The names from the top row: the selected one light blue, the one under the cursor white.
void CChoice::paintMacroList(QPainter& painter) const {
    const QRect list = regionRect(kMacroList);
    QRect row = FirstListRow(list, kStepRowHeight);
    const int top = m_choice.MacroTop();
    for (int macro = top; macro < top + m_choice.VisibleMacros(); ++macro) {
        QColor colour = macro == m_nHoverMacro ? kWhiteText : kGreyText;
        if (macro == m_choice.SelMacro()) colour = kSelectedRow;
        painter.setPen(colour);
        DrawFittedText(painter, row,
                       ToQString(MacroListName(m_store.m_strMacroNames[macro], m_store.m_Macro[macro])),
                       kLeft);
        row.translate(0, kStepRowHeight);
    }
}

bool CChoice::pressRegion(QPoint point) {
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

// Up and Down act when the key goes up, once more for each auto-repeat.
void CChoice::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return SkinnedDialog::keyReleaseEvent(event);
    if (!m_choice.OnListKey(key == Qt::Key_Up ? ListKey::Up : ListKey::Down)) return;
    m_nHoverMacro = m_choice.SelMacro();
    update();
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

#pragma once
// The capture dialogs as the window runs them: the skinned single-key dialog, macro choice dialog
// and macro editor, each modal over the main window.

#include "capture/key_names.h"
#include "control/capture_dialogs.h"
#include "skin/skin_images.h"

class QWidget;

namespace voltrane {

class QtCaptureDialogs final : public CaptureDialogs {
public:
    // The dialogs open over `parent`, drawn from `images`, and name keys by `keyNames`; the three must
    // outlive this object.
    QtCaptureDialogs(QWidget* parent, const SkinImages& images, const KeyNames& keyNames)
        : m_parent(parent), m_images(images), m_keyNames(keyNames) {}

    std::optional<KeyString> RunSingleKey(int language) override;
    std::optional<int> RunChoice(const MacroStore& store, int language) override;
    // The edited record when OK changed it; std::nullopt on Cancel or when nothing changed.
    std::optional<MacroRecord> RunMacroEditor(const MacroRecord& record, std::u16string_view name,
                                              int language) override;

private:
    QWidget* m_parent;
    const SkinImages& m_images;
    const KeyNames& m_keyNames;
};

}  // namespace voltrane

#pragma once
// The capture dialogs until their windows exist: each ends at once as if cancelled, so "Keyboard",
// "Macro" and "Edit" leave everything as it was.

#include "control/capture_dialogs.h"

namespace voltrane {

class CaptureStandIn final : public CaptureDialogs {
public:
    std::optional<KeyString> RunSingleKey(int) override { return std::nullopt; }
    std::optional<int> RunChoice(const MacroStore&, int) override { return std::nullopt; }
    std::optional<MacroRecord> RunMacroEditor(const MacroRecord&, std::u16string_view, int) override {
        return std::nullopt;
    }
};

}  // namespace voltrane

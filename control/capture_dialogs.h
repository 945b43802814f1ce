#pragma once
// The three capture dialogs as the controller uses them: the single-key dialog, the macro choice
// dialog and the macro editor. The window runs the real dialogs; tests answer from a script.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/key_table.h"
#include "settings/macro_record.h"
#include "settings/macro_store.h"

namespace voltrane {

class CaptureDialogs {
public:
    virtual ~CaptureDialogs() = default;

    // The single-key dialog in `language`. Returns the captured key-index string on OK (all zero
    // when no key was pressed), std::nullopt on Cancel.
    virtual std::optional<KeyString> RunSingleKey(int language) = 0;

    // The macro choice dialog over the first m_nMacroCount macros of `store`, in `language`. Returns
    // the chosen slot on OK (m_nMacroCount when the store is empty), std::nullopt on Cancel.
    virtual std::optional<int> RunChoice(const MacroStore& store, int language) = 0;

    // The macro editor on a copy of `record`, whose name is `name`, in `language`. Returns the
    // edited record on OK, std::nullopt on Cancel.
    virtual std::optional<MacroRecord> RunMacroEditor(const MacroRecord& record, std::u16string_view name,
                                                      int language) = 0;
};

}  // namespace voltrane

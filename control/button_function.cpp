#include "control/button_function.h"

#include "device/step_records.h"
#include "settings/text_tables.h"

namespace voltrane {

namespace {

void assignKeys(Controller& controller, CaptureDialogs& dialogs, int button) {
    if (const std::optional<KeyString> keys = dialogs.RunSingleKey(controller.Language())) {
        controller.Setting().AssignKeyCombo(button, *keys);
    }
}

void assignChosenMacro(Controller& controller, CaptureDialogs& dialogs, int button) {
    const MacroStore& store = controller.Store();
    const int language = controller.Language();
    const std::optional<int> slot = dialogs.RunChoice(store, language);
    if (!slot) return;
    const bool stored = *slot >= 0 && *slot < static_cast<int>(store.m_nMacroCount);
    const bool assigned = stored ? AssignMacro(controller.Setting(), button, &store.m_Macro[*slot],
                                               store.m_strMacroNames[*slot])
                                 : AssignMacro(controller.Setting(), button, nullptr, u"");
    if (!assigned) {
        controller.Ui().ShowMessage(GetText(TextTable::Notice, kNoticeMacroTooLong, language),
                                    GetText(TextTable::Message, kMessageError, language), language);
    }
}

bool isFunctionCode(int code) {
    return code >= kFunctionLeft && code <= kFunctionLast &&
           (code < kFunctionBasicHeading || code > kFunctionMediaHeading);
}

}  // namespace

void AssignButtonFunction(Controller& controller, CaptureDialogs& dialogs, int button, int code) {
    if (code == kFunctionKeyboard) {
        assignKeys(controller, dialogs, button);
    } else if (code == kFunctionMacro) {
        assignChosenMacro(controller, dialogs, button);
    } else if (isFunctionCode(code)) {
        controller.Setting().AssignFunction(button, code);
    }
}

}  // namespace voltrane

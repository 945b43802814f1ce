#include "control/device_actions.h"

#include <algorithm>
#include <string>
#include <utility>

#include "device/step_records.h"
#include "settings/profile.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

std::u16string_view messageRow(int row, int language) { return GetText(TextTable::Message, row, language); }

// `text`, and under it the notice that names the udev rule when the node refused access.
std::u16string withAccessNotice(std::u16string_view text, bool accessDenied, int language) {
    std::u16string shown(text);
    if (accessDenied)
        shown += u"\n" + std::u16string(GetText(TextTable::Notice, kNoticeAccessDenied, language));
    return shown;
}

// Gives button `b` the macro decoded into `slot`. When the records are the ones the profile already
// held for the button, the button keeps the profile's macro name rather than the decoded one's.
void keepDecodedMacro(MouseSetting& setting, const MacroStore& store, int b, int slot) {
    const std::u16string profileName = setting.m_strButtonMacro[b];
    uint8_t profileRow[kMacroRowBytes];
    std::copy(std::begin(setting.m_MacroData[b]), std::end(setting.m_MacroData[b]), profileRow);
    if (!AssignMacro(setting, b, &store.m_Macro[slot], store.m_strMacroNames[slot])) return;
    const int32_t length = setting.m_nMacroDataLen[b];
    if (!profileName.empty() && MacroRowLength(profileRow) == length &&
        std::equal(profileRow, profileRow + length, setting.m_MacroData[b])) {
        setting.m_strButtonMacro[b] = profileName;
    }
}

// `text`, and under it the device's reason when it gave one.
std::u16string withReason(std::u16string_view text, const std::string& reason) {
    std::u16string shown(text);
    if (!reason.empty()) shown += u"\n" + Utf8ToUtf16(reason);
    return shown;
}

}  // namespace

DesktopAndMouseApply ApplyDesktopThenMouse(const MouseSetting& setting, HostPointer& host,
                                           DeviceContext& context) {
    HostApplyReport desktop = ApplyHostPointer(host, setting);
    return {std::move(desktop), RunApply(setting, context)};
}

void ShowApplyOutcome(const ApplyResult& result, UserInterface& ui, int language) {
    auto show = [&](std::u16string_view text, int titleRow) {
        ui.ShowMessage(text, titleRow < 0 ? u"" : messageRow(titleRow, language), language);
    };
    switch (result.outcome) {
        case ApplyOutcome::Done:
            return show(messageRow(kMessageDownloadComplete, language), -1);
        case ApplyOutcome::MouseNotFound:
        case ApplyOutcome::MouseAccessDenied:
            return show(withAccessNotice(messageRow(kMessageCannotOpen, language),
                                         result.outcome == ApplyOutcome::MouseAccessDenied, language),
                        kMessageDownloadFailed);
        case ApplyOutcome::SettingsRefused:
            return show(withReason(messageRow(kMessageSetFailed, language), result.transferFailure),
                        kMessageFail);
        case ApplyOutcome::SettingsReadFailed:
            return show(messageRow(kMessageGetFailed, language), kMessageFail);
        case ApplyOutcome::ButtonCollectionMissing:
            return;
        case ApplyOutcome::ButtonsDoNotFit:
            return show(
                GetTextWithNumber(TextTable::Notice, kNoticeButtonDoesNotFit, language, result.button),
                kMessageFail);
        case ApplyOutcome::ButtonsRefused:
            return show(withReason(messageRow(kMessageProgramFailure, language), result.transferFailure),
                        -1);
    }
}

void ApplyToDevice(const MouseSetting& setting, HostPointer& host, DeviceContext& context,
                   UserInterface& ui, int language) {
    ShowApplyOutcome(ApplyDesktopThenMouse(setting, host, context).mouse, ui, language);
}

int SilentApplyCode(ApplyOutcome outcome) {
    switch (outcome) {
        case ApplyOutcome::MouseNotFound:
        case ApplyOutcome::MouseAccessDenied:
            return -3;
        case ApplyOutcome::SettingsRefused:
            return -1;
        case ApplyOutcome::SettingsReadFailed:
            return -2;
        default:
            return 0;
    }
}

int ApplyToDeviceSilently(const MouseSetting& setting, HostPointer& host, DeviceContext& context) {
    return SilentApplyCode(ApplyDesktopThenMouse(setting, host, context).mouse.outcome);
}

ReadResult ReadKeepingMacros(MouseSetting& setting, MacroStore& store, DeviceContext& context) {
    ReadResult result = RunRead(setting, store, context);
    if (result.outcome != ReadOutcome::Done) return result;
    for (int b = 0; b < kButtonCount; ++b) {
        if (result.macroSlots[b] >= 0) keepDecodedMacro(setting, store, b, result.macroSlots[b]);
    }
    return result;
}

int ReadFromDevice(MouseSetting& setting, MacroStore& store, DeviceContext& context, UserInterface& ui,
                   int language, std::optional<std::u16string>* macroNameText) {
    ReadResult result = ReadKeepingMacros(setting, store, context);
    if (macroNameText) *macroNameText = std::move(result.macroNameText);
    if (result.outcome == ReadOutcome::Done) return 1;
    ui.ShowMessage(withAccessNotice(u"Please plug your mouse.",
                                    result.outcome == ReadOutcome::MouseAccessDenied, language),
                   messageRow(kMessageFail, kEnglish), kEnglish);
    return 0;
}

}  // namespace voltrane

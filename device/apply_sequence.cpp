#include "device/apply_sequence.h"

#include <string>

#include "device/reports.h"
#include "settings/atomic_file.h"
#include "settings/text_tables.h"

namespace voltrane {

namespace {

constexpr int kAttempts = 5;
constexpr std::chrono::milliseconds kWait{300};

// Up to five attempts, waiting after every refusal (the last one too).
bool sendWithRetries(CHidDevice& hid, Sleeper& sleeper, const uint8_t* report, int length) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (hid.SetFeature(report, length)) return true;
        sleeper.Sleep(kWait);
    }
    return false;
}

ApplyResult writeSettings(const MouseSetting& setting, DeviceContext& context) {
    if (!context.hid.Open(kSettingsCollectionLength)) return {ApplyOutcome::MouseNotFound};
    SettingsReport report = BuildSettingsReport(setting);
    if (!sendWithRetries(context.hid, context.sleeper, report.data(), kSettingsReportLength)) {
        context.hid.Close();
        return {ApplyOutcome::SettingsRefused};
    }
    context.sleeper.Sleep(kWait);
    report.fill(0);
    report[0] = kSettingsReportId;
    const bool fetched = context.hid.GetFeature(report.data(), kSettingsReportLength);
    context.hid.Close();
    return {fetched ? ApplyOutcome::Done : ApplyOutcome::SettingsReadFailed};
}

ApplyResult writeButtons(const ButtonReport& report, DeviceContext& context) {
    if (!context.hid.Open(kButtonCollectionLength)) return {ApplyOutcome::ButtonCollectionMissing};
    const std::string_view bytes(reinterpret_cast<const char*>(report.data()), report.size());
    // A copy for the user; the apply goes on without it.
    const bool copied = WriteFileAtomically(context.programDir / "download.bin", bytes);
    const bool sent = sendWithRetries(context.hid, context.sleeper, report.data(), kButtonReportLength);
    context.hid.Close();
    return {sent ? ApplyOutcome::Done : ApplyOutcome::ButtonsRefused, 0, !copied};
}

std::u16string buttonNotice(int button, int language) {
    std::u16string text(GetText(TextTable::Notice, kNoticeButtonDoesNotFit, language));
    const size_t field = text.find(u"%d");
    if (field != std::u16string::npos) {
        std::u16string number;
        for (char c : std::to_string(button)) number += static_cast<char16_t>(c);
        text.replace(field, 2, number);
    }
    return text;
}

}  // namespace

ApplyResult RunApply(const MouseSetting& setting, DeviceContext& context) {
    ApplyHostPointer(context.host, setting);
    // A configuration the button report cannot hold is refused before anything reaches the mouse.
    const ButtonReportBuild buttons = BuildButtonReport(setting);
    if (buttons.overflowButton != 0) return {ApplyOutcome::ButtonsDoNotFit, buttons.overflowButton};
    const ApplyResult settings = writeSettings(setting, context);
    if (settings.outcome != ApplyOutcome::Done) return settings;
    return writeButtons(buttons.report, context);
}

void ApplyToDevice(const MouseSetting& setting, DeviceContext& context, DeviceMessages& messages,
                   int language) {
    const ApplyResult result = RunApply(setting, context);
    auto show = [&](std::u16string_view text, int titleRow) {
        messages.ShowMsgBox(text, titleRow < 0 ? u"" : GetText(TextTable::Message, titleRow, language),
                            language);
    };
    auto row = [&](int r) { return GetText(TextTable::Message, r, language); };
    switch (result.outcome) {
        case ApplyOutcome::Done:
            return show(row(kMessageDownloadComplete), -1);
        case ApplyOutcome::MouseNotFound:
            return show(row(kMessageCannotOpen), kMessageDownloadFailed);
        case ApplyOutcome::SettingsRefused:
            return show(row(kMessageSetFailed), kMessageFail);
        case ApplyOutcome::SettingsReadFailed:
            return show(row(kMessageGetFailed), kMessageFail);
        case ApplyOutcome::ButtonCollectionMissing:
            return;
        case ApplyOutcome::ButtonsDoNotFit:
            return show(buttonNotice(result.button, language), kMessageFail);
        case ApplyOutcome::ButtonsRefused:
            return show(row(kMessageProgramFailure), -1);
    }
}

int ApplyToDeviceSilently(const MouseSetting& setting, DeviceContext& context) {
    switch (RunApply(setting, context).outcome) {
        case ApplyOutcome::MouseNotFound:
            return -3;
        case ApplyOutcome::SettingsRefused:
            return -1;
        case ApplyOutcome::SettingsReadFailed:
            return -2;
        default:
            return 0;
    }
}

}  // namespace voltrane

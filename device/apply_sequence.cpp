#include "device/apply_sequence.h"

#include "device/reports.h"
#include "settings/atomic_file.h"

namespace voltrane {

namespace {

constexpr int kAttempts = 5;

// Up to five attempts, waiting after every refusal (the last one too).
bool sendWithRetries(CHidDevice& hid, Sleeper& sleeper, const uint8_t* report, int length) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (hid.SetFeature(report, length)) return true;
        sleeper.Sleep(kDeviceWait);
    }
    return false;
}

// The mouse was not found, or found but its node refused to open.
ApplyResult notFound(const CHidDevice& hid) {
    ApplyResult result{hid.AccessWasDenied() ? ApplyOutcome::MouseAccessDenied
                                             : ApplyOutcome::MouseNotFound};
    result.refusal = hid.LastRefusal();
    return result;
}

ApplyResult writeSettings(const MouseSetting& setting, DeviceContext& context) {
    if (!context.hid.Open(kSettingsCollectionLength)) return notFound(context.hid);
    SettingsReport report = BuildSettingsReport(setting);
    if (!sendWithRetries(context.hid, context.sleeper, report.data(), kSettingsReportLength)) {
        ApplyResult refused{ApplyOutcome::SettingsRefused};
        refused.transferFailure = context.hid.LastTransferFailure();
        context.hid.Close();
        return refused;
    }
    context.sleeper.Sleep(kDeviceWait);
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
    const bool copied =
        !context.programDir.empty() && WriteFileAtomically(context.programDir / "download.bin", bytes);
    const bool sent = sendWithRetries(context.hid, context.sleeper, report.data(), kButtonReportLength);
    ApplyResult result{sent ? ApplyOutcome::Done : ApplyOutcome::ButtonsRefused, 0, !copied};
    if (!sent) result.transferFailure = context.hid.LastTransferFailure();
    context.hid.Close();
    return result;
}

}  // namespace

ApplyResult RunApply(const MouseSetting& setting, DeviceContext& context) {
    // A configuration the button report cannot hold is refused before anything reaches the mouse.
    const ButtonReportBuild buttons = BuildButtonReport(setting);
    if (buttons.overflowButton != 0) return {ApplyOutcome::ButtonsDoNotFit, buttons.overflowButton};
    const ApplyResult settings = writeSettings(setting, context);
    if (settings.outcome != ApplyOutcome::Done) return settings;
    return writeButtons(buttons.report, context);
}

}  // namespace voltrane

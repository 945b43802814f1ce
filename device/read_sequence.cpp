#include "device/read_sequence.h"

#include <algorithm>
#include <utility>

#include "device/reports.h"

namespace voltrane {

namespace {

ReadOutcome readSettings(MouseSetting& setting, CHidDevice& hid) {
    if (!hid.Open(kSettingsCollectionLength)) {
        return hid.AccessWasDenied() ? ReadOutcome::MouseAccessDenied : ReadOutcome::MouseNotFound;
    }
    SettingsReport report{kSettingsReportId};
    const bool fetched = hid.GetFeature(report.data(), kSettingsReportLength);
    if (fetched) DecodeSettingsReport(report, setting);
    hid.Close();
    return fetched ? ReadOutcome::Done : ReadOutcome::SettingsReadFailed;
}

ReadResult readMouse(MouseSetting& setting, MacroStore& store, DeviceContext& context) {
    const ReadOutcome settings = readSettings(setting, context.hid);
    if (settings != ReadOutcome::Done) {
        ReadResult failed{settings};
        failed.refusal = context.hid.LastRefusal();
        return failed;
    }

    if (!context.hid.Open(kButtonCollectionLength))
        return {ReadOutcome::ButtonCollectionMissing, std::nullopt};
    context.sleeper.Sleep(kDeviceWait);
    ButtonReport report{kButtonReportId};
    if (!context.hid.GetFeature(report.data(), kButtonReportLength)) {
        context.hid.Close();
        return {ReadOutcome::ButtonsReadFailed, std::nullopt};
    }
    ReadResult result;
    result.macroNameText = DecodeButtonReport(report, setting, store, &result.macroSlots);
    return result;
}

}  // namespace

ReadResult RunRead(MouseSetting& setting, MacroStore& store, DeviceContext& context) {
    std::copy(kDefaultItems.begin(), kDefaultItems.end(), setting.m_nItem);
    HostApplyReport host = ApplyHostPointer(context.host, setting);
    ReadResult result = readMouse(setting, store, context);
    result.host = std::move(host);
    return result;
}

}  // namespace voltrane

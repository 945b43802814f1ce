#include "device/read_sequence.h"

#include <algorithm>
#include <utility>

namespace voltrane {

namespace {

ReadOutcome fetchSettings(SettingsReport& report, CHidDevice& hid) {
    if (!hid.Open(kSettingsCollectionLength)) {
        return hid.AccessWasDenied() ? ReadOutcome::MouseAccessDenied : ReadOutcome::MouseNotFound;
    }
    const bool fetched = hid.GetFeature(report.data(), kSettingsReportLength);
    hid.Close();
    return fetched ? ReadOutcome::Done : ReadOutcome::SettingsReadFailed;
}

ReadOutcome fetchButtons(ButtonReport& report, DeviceContext& context) {
    if (!context.hid.Open(kButtonCollectionLength)) return ReadOutcome::ButtonCollectionMissing;
    context.sleeper.Sleep(kDeviceWait);
    if (!context.hid.GetFeature(report.data(), kButtonReportLength)) {
        context.hid.Close();
        return ReadOutcome::ButtonsReadFailed;
    }
    return ReadOutcome::Done;
}

// Whether the outcome comes after the settings report was fetched.
bool settingsFetched(ReadOutcome outcome) {
    return outcome != ReadOutcome::MouseNotFound && outcome != ReadOutcome::MouseAccessDenied &&
           outcome != ReadOutcome::SettingsReadFailed;
}

}  // namespace

FetchedReports FetchReports(DeviceContext& context) {
    FetchedReports fetched;
    fetched.outcome = fetchSettings(fetched.settings, context.hid);
    if (fetched.outcome != ReadOutcome::Done) {
        fetched.refusal = context.hid.LastRefusal();
        return fetched;
    }
    fetched.outcome = fetchButtons(fetched.buttons, context);
    return fetched;
}

ReadResult RunRead(MouseSetting& setting, MacroStore& store, DeviceContext& context) {
    std::copy(kDefaultItems.begin(), kDefaultItems.end(), setting.m_nItem);
    const FetchedReports fetched = FetchReports(context);
    ReadResult result{fetched.outcome};
    if (settingsFetched(fetched.outcome)) DecodeSettingsReport(fetched.settings, setting);
    if (fetched.outcome == ReadOutcome::Done) {
        result.macroNameText = DecodeButtonReport(fetched.buttons, setting, store, &result.macroSlots);
    } else {
        result.refusal = fetched.refusal;
    }
    return result;
}

}  // namespace voltrane

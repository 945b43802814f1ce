#include "device/read_sequence.h"

#include <algorithm>

#include "device/reports.h"
#include "settings/text_tables.h"

namespace voltrane {

namespace {

constexpr std::chrono::milliseconds kWait{300};

ReadOutcome readSettings(MouseSetting& setting, CHidDevice& hid) {
    if (!hid.Open(kSettingsCollectionLength)) return ReadOutcome::MouseNotFound;
    SettingsReport report{kSettingsReportId};
    const bool fetched = hid.GetFeature(report.data(), kSettingsReportLength);
    if (fetched) DecodeSettingsReport(report, setting);
    hid.Close();
    return fetched ? ReadOutcome::Done : ReadOutcome::SettingsReadFailed;
}

}  // namespace

ReadResult RunRead(MouseSetting& setting, MacroStore& store, DeviceContext& context) {
    std::copy(kDefaultItems.begin(), kDefaultItems.end(), setting.m_nItem);
    ApplyHostPointer(context.host, setting);
    const ReadOutcome settings = readSettings(setting, context.hid);
    if (settings != ReadOutcome::Done) return {settings, std::nullopt};

    if (!context.hid.Open(kButtonCollectionLength))
        return {ReadOutcome::ButtonCollectionMissing, std::nullopt};
    context.sleeper.Sleep(kWait);
    ButtonReport report{kButtonReportId};
    if (!context.hid.GetFeature(report.data(), kButtonReportLength)) {
        context.hid.Close();
        return {ReadOutcome::ButtonsReadFailed, std::nullopt};
    }
    ReadResult result;
    result.macroNameText = DecodeButtonReport(report, setting, store, &result.macroSlots);
    return result;
}

int ReadFromDevice(MouseSetting& setting, MacroStore& store, DeviceContext& context,
                   DeviceMessages& messages, std::optional<std::u16string>* macroNameText) {
    ReadResult result = RunRead(setting, store, context);
    if (macroNameText) *macroNameText = std::move(result.macroNameText);
    if (result.outcome == ReadOutcome::Done) return 1;
    messages.ShowMsgBox(u"Please plug your mouse.", GetText(TextTable::Message, kMessageFail, kEnglish),
                        kEnglish);
    return 0;
}

}  // namespace voltrane

#include "control/controller.h"

#include "control/device_actions.h"
#include "control/macro_actions.h"

namespace voltrane {

namespace {

// The outcome of a device action without a device: nothing was there to open, and the desktop was
// not asked.
DesktopAndMouseApply noDevice() { return {{}, {ApplyOutcome::MouseNotFound}}; }

}  // namespace

Controller::Controller(std::filesystem::path programDir, UserInterface& ui)
    : m_strProgramDir(std::move(programDir)), m_ui(ui) {
    m_setting.ResetToDefaults();
}

void Controller::Tell(int textRow, int titleRow) {
    m_ui.ShowMessage(GetText(TextTable::Message, textRow, m_nLanguage),
                     GetText(TextTable::Message, titleRow, m_nLanguage), m_nLanguage);
}

void Controller::SetLanguage(int language) { m_nLanguage = KnownLanguage(language); }

ProfileLoad Controller::LoadProfile(const std::filesystem::path& path, int page) {
    return voltrane::LoadProfile(m_setting, path, m_nLanguage, page);
}

WriteResult Controller::SaveProfile(const std::filesystem::path& path) const {
    return voltrane::SaveProfile(m_setting, path, m_strMacroFile, m_nLanguage);
}

DesktopAndMouseApply Controller::Apply() {
    return m_device ? ApplyDesktopThenMouse(m_setting, m_device->Host(), m_device->Context()) : noDevice();
}

void Controller::ApplyToDevice() { ShowApplyOutcome(Apply().mouse, m_ui, m_nLanguage); }

int Controller::ApplyToDeviceSilently() { return SilentApplyCode(Apply().mouse.outcome); }

ReadResult Controller::Read() {
    if (!m_device) return {ReadOutcome::MouseNotFound};
    return ReadKeepingMacros(m_setting, *m_store, m_device->Context());
}

int Controller::ReadFromDevice(std::optional<std::u16string>* macroNameText) {
    if (!m_device) return 0;
    return voltrane::ReadFromDevice(m_setting, *m_store, m_device->Context(), m_ui, m_nLanguage,
                                    macroNameText);
}

bool Controller::SaveMacros(std::u16string_view editText) {
    return voltrane::SaveMacros(*m_store, m_strMacroFile, m_strMacroNameFile, editText, m_ui, m_nLanguage);
}

bool Controller::ExportMacros() { return voltrane::ExportMacros(*m_store, m_ui, m_nLanguage); }

std::optional<std::u16string> Controller::ImportMacros() {
    return voltrane::ImportMacros(*m_store, m_ui, m_nLanguage);
}

}  // namespace voltrane

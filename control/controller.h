#pragma once
// The program's state and the actions on it, without a window: the settings record, the macro
// store, the language, the program directory and the device session. The window and voltranectl
// both work through it; it reaches the user only through its UserInterface.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "control/device_actions.h"
#include "control/device_session.h"
#include "control/user_interface.h"
#include "device/apply_sequence.h"
#include "device/read_sequence.h"
#include "settings/atomic_file.h"
#include "settings/macro_store.h"
#include "settings/mouse_setting.h"
#include "settings/profile.h"
#include "settings/text_tables.h"

namespace voltrane {

class Controller {
public:
    // Starts with the built-in defaults, an empty macro store, English and no device. Every fixed
    // file name is taken from `programDir`, which must not be empty.
    Controller(std::filesystem::path programDir, UserInterface& ui);

    MouseSetting& Setting() { return m_setting; }
    const MouseSetting& Setting() const { return m_setting; }
    MacroStore& Store() { return *m_store; }
    const MacroStore& Store() const { return *m_store; }
    UserInterface& Ui() { return m_ui; }
    // Shows message row `textRow` under the title row `titleRow`, both in the active language.
    void Tell(int textRow, int titleRow);

    int Language() const { return m_nLanguage; }
    // Languages outside 0..5 are taken as English.
    void SetLanguage(int language);

    const std::filesystem::path& ProgramDir() const { return m_strProgramDir; }
    // A fixed file of the program directory, e.g. "Setting1.ini".
    std::filesystem::path ProgramFile(std::string_view name) const { return m_strProgramDir / name; }
    // The file of numbered profile `number`: "Setting<number>.ini" of the program directory.
    std::filesystem::path NumberedProfile(int number) const {
        return ProgramFile("Setting" + std::to_string(number) + ".ini");
    }

    // The mouse and desktop to work with; without one, device actions find no mouse.
    void AttachDevice(std::unique_ptr<DeviceSession> device) { m_device = std::move(device); }
    DeviceSession* Device() { return m_device.get(); }

    // Profiles in the active language.
    ProfileLoad LoadProfile(const std::filesystem::path& path, int page);
    WriteResult SaveProfile(const std::filesystem::path& path) const;

    // The device actions on the record (see device_actions.h); without a device the mouse is not found
    // and the desktop's pointer settings are left alone.
    DesktopAndMouseApply Apply();
    void ApplyToDevice();
    int ApplyToDeviceSilently();
    ReadResult Read();
    int ReadFromDevice(std::optional<std::u16string>* macroNameText = nullptr);

    // The macro file actions (see macro_actions.h) on the store and the working macro file.
    bool SaveMacros(std::u16string_view editText);
    bool ExportMacros();
    std::optional<std::u16string> ImportMacros();

    std::filesystem::path m_strMacroFile;      // the working macro file; empty until one is known
    std::filesystem::path m_strMacroNameFile;  // its name file

private:
    std::filesystem::path m_strProgramDir;
    UserInterface& m_ui;
    MouseSetting m_setting;
    std::unique_ptr<MacroStore> m_store = std::make_unique<MacroStore>();
    int m_nLanguage = kEnglish;
    std::unique_ptr<DeviceSession> m_device;
};

}  // namespace voltrane

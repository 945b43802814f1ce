#pragma once
// The main controller without a window: a recording window, a scripted user and scripted capture
// dialogs over a virtual mouse, an in-memory desktop and a temporary program directory.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/main_controller.h"
#include "device/factory_state.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "host/host_pointer_memory.h"
#include "scripted_capture.h"
#include "scripted_ui.h"
#include "temp_dir.h"

namespace voltrane {

// The window, recording each request as a word and each repainted item; its menus answer from a queue
// (dismissed once it is empty) and its macro-name box is a string.
class RecordingWindow final : public WindowPort {
public:
    void HideWindow() override { requests.push_back("hide"); }
    void CloseWindow() override { requests.push_back("close"); }
    void RepaintWindow(bool erase) override { requests.push_back(erase ? "erase" : "repaint"); }
    void ItemsChanged(std::span<const int> items) override {
        changed.insert(changed.end(), items.begin(), items.end());
    }
    std::optional<int> ShowFunctionMenu(int item) override {
        requests.push_back("menu " + std::to_string(item));
        return nextCommand();
    }
    std::optional<int> ShowSaveAsMenu() override {
        requests.push_back("save as");
        return nextCommand();
    }
    void ShowMacroNameBox(bool show) override { requests.push_back(show ? "box on" : "box off"); }
    std::u16string MacroNameText() const override { return nameText; }
    void SetMacroNameText(std::u16string_view text) override { nameText = text; }
    void FocusMacroNameBox() override { nameBoxFocused = true; }

    std::vector<std::string> requests;
    std::vector<int> changed;                 // every item repainted, oldest first
    std::deque<std::optional<int>> commands;  // what the next menus return
    std::u16string nameText;
    bool nameBoxFocused = false;

private:
    std::optional<int> nextCommand() {
        if (commands.empty()) return std::nullopt;
        const std::optional<int> command = commands.front();
        commands.pop_front();
        return command;
    }
};

struct Rig {
    TempDir dir;
    ScriptedUi ui;
    RecordingWindow window;
    ScriptedCaptureDialogs dialogs;
    RecordingSleeper sleeper;
    Controller controller{dir.path(), ui};
    VirtualMouse* mouse = nullptr;
    MemoryHostPointer* host = nullptr;
    MainController main{controller, window, dialogs};

    explicit Rig(const HostPointerValues& desktop = {}) {
        auto transport = std::make_unique<VirtualMouse>(FactoryState());
        auto pointer = std::make_unique<MemoryHostPointer>(desktop);
        mouse = transport.get();
        host = pointer.get();
        controller.AttachDevice(
            std::make_unique<DeviceSession>(std::move(transport), std::move(pointer), sleeper, dir.path()));
    }

    // Clicks `item` with the cursor on it, as the window does.
    void Click(int item) {
        main.m_nHotItem = item;
        main.ActivateItem(item);
    }
    bool Exists(const char* name) const { return std::filesystem::exists(dir.path() / name); }
    MouseSetting& Setting() { return controller.Setting(); }
    MacroStore& Store() { return controller.Store(); }
};

}  // namespace voltrane

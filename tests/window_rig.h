#pragma once
// The real main window on the offscreen platform, over a virtual mouse, an in-memory desktop and a
// scripted user, in a program directory of its own whose "skins" folder holds the built skins.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/voltrane_app.h"
#include "app/voltrane_dlg.h"
#include "device/factory_state.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "host/host_pointer_memory.h"
#include "scripted_capture.h"
#include "scripted_ui.h"

namespace voltrane {

// A program directory with every built skin linked in, except the file named `leaveOut`.
inline bool LinkSkins(const QString& programDir, const QString& leaveOut = {}) {
    const QDir built(QStringLiteral(VOLTRANE_SKIN_DIR));
    if (!QDir(programDir).mkpath(QStringLiteral("skins"))) return false;
    for (const QString& name : built.entryList(QDir::Files)) {
        if (name != leaveOut && !QFile::link(built.filePath(name), programDir + "/skins/" + name))
            return false;
    }
    return true;
}

struct WindowRig {
    QTemporaryDir dir;
    ScriptedUi ui;
    ScriptedCaptureDialogs dialogs;
    RecordingSleeper sleeper;
    VirtualMouse* mouse = nullptr;
    MemoryHostPointer* host = nullptr;
    std::unique_ptr<CVoltraneDlg> window;
    bool mousePlugged = true;
    std::optional<VirtualMouse::State> mouseState;  // what the mouse holds at start; factory state if none
    bool show = true;  // false: the window is made but not shown, so the start-up read does not run

    // Loads the skins and opens the window, as start-up does, and waits for the start-up read.
    bool Open() {
        if (!dir.isValid()) return false;
        if (!QDir(dir.path() + "/skins").exists() && !LinkSkins(dir.path())) return false;
        CVoltraneApp app(&ui);
        if (!app.InitResources(dir.path() + "/", dir.path() + "/skins/")) return false;
        auto transport = std::make_unique<VirtualMouse>(mouseState ? *mouseState : FactoryState());
        auto pointer = std::make_unique<MemoryHostPointer>();
        transport->SetPresent(mousePlugged);
        mouse = transport.get();
        host = pointer.get();
        const std::filesystem::path programDir = dir.path().toStdString();
        auto session =
            std::make_unique<DeviceSession>(std::move(transport), std::move(pointer), sleeper, programDir);
        window =
            std::make_unique<CVoltraneDlg>(programDir, std::move(session), app.Language(), &ui, &dialogs);
        if (!show) return true;
        window->show();
        return QTest::qWaitFor([this] { return window->Started(); });
    }
    // Ends the window and starts the program again in the same folder, on a mouse that holds what
    // this one holds.
    bool Restart() {
        mouseState = mouse->Reports();
        window.reset();
        return Open();
    }
    std::filesystem::path File(const char* name) const {
        return std::filesystem::path(dir.path().toStdString()) / name;
    }
    const int32_t* Items() { return window->GetController().Setting().m_nItem; }
};

}  // namespace voltrane

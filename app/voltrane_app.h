#pragma once
// The application: the program directory, the fonts and skins every window is drawn with, the main
// window's run, and an orderly end.

#include <QString>
#include <filesystem>
#include <memory>

#include "app/event_loop_sleeper.h"
#include "control/user_interface.h"
#include "settings/text_tables.h"

namespace voltrane {

class CVoltraneApp {
public:
    // Messages of start-up go to `prompter` (the skinned message box when null).
    explicit CVoltraneApp(UserInterface* prompter = nullptr) : m_prompter(prompter) {}

    // Takes `programDir` (ending in "/") as the program directory, reads the language the user chose
    // last from its "LANGUAGE.ini", creates the four fonts and loads the skins from `skinDir` (ending
    // in "/"). A missing skin is reported with its full path, in that language, and gives false.
    bool InitResources(const QString& programDir, const QString& skinDir);

    // The language InitResources read: start-up's messages use it, and the main window starts in it.
    int Language() const { return m_nLanguage; }

    // The whole program: resources from the folders LocateProgramPaths chooses for the executable's
    // folder, then the main window on the mouse VOLTRANE_DEVICE names, until it ends. Returns the exit
    // code: 1 when a skin is missing or the program already running on the folder does not answer;
    // 0 when that program was asked to come forward instead.
    int InitInstance();

private:
    void reportMissingFile(const QString& path);
    // Shows the notice `row` followed by `details`, one per line, and writes it on standard error.
    void reportNotice(int row, const QStringList& details);

    UserInterface* m_prompter;
    EventLoopSleeper m_sleeper;
    int m_nLanguage = kEnglish;
};

}  // namespace voltrane

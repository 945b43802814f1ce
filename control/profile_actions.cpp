#include "control/profile_actions.h"

#include "settings/text_tables.h"

namespace voltrane {

namespace {

constexpr int kNumberedProfiles = 5;

// Lights the tab of profile `profile` (1..5) alone, or for 0 the profile label instead of any tab.
std::vector<int> lightProfileTab(MouseSetting& setting, int profile) {
    std::vector<int> items{kItemProfileLabel};
    for (int item = kItemProfile1; item <= kItemProfile5; ++item) {
        setting.m_nItem[item] = item == kItemProfileLabel + profile ? 1 : 0;
        items.push_back(item);
    }
    if (profile == 0) setting.m_nItem[kItemProfileLabel] = 1;
    return items;
}

// Loads `path`, telling a file that cannot be read or is not a profile.
ProfileLoad loadTelling(Controller& controller, const std::filesystem::path& path, int page) {
    const ProfileLoad load = controller.LoadProfile(path, page);
    if (!ProfileTaken(load)) controller.Tell(kMessageError, kMessageFail);
    return load;
}

// Saves to `path`, telling a file that cannot be written.
WriteResult saveTelling(Controller& controller, const std::filesystem::path& path) {
    WriteResult written = controller.SaveProfile(path);
    if (!written) controller.Tell(kMessageFileSaveFailed, kMessageError);
    return written;
}

}  // namespace

bool LoadChosenProfile(Controller& controller, int page) {
    const std::optional<std::filesystem::path> path = controller.Ui().ChooseOpenFile(kProfileFilter);
    if (!path) return false;
    return ProfileTaken(loadTelling(controller, *path, page));
}

std::vector<int> SaveSettingAs(Controller& controller, int command) {
    if (command < 0 || command > kNumberedProfiles) return {};
    std::vector<int> changed = lightProfileTab(controller.Setting(), command);
    const std::optional<std::filesystem::path> path =
        command == 0 ? controller.Ui().ChooseSaveFile(kProfileFilter) : controller.NumberedProfile(command);
    if (path) static_cast<void>(saveTelling(controller, *path));  // told to the user; nothing to undo
    return changed;
}

WriteResult SaveNumberedProfile(Controller& controller, int number) {
    return saveTelling(controller, controller.NumberedProfile(number));
}

ProfileLoad LoadNumberedProfile(Controller& controller, int number, int page) {
    return loadTelling(controller, controller.NumberedProfile(number), page);
}

}  // namespace voltrane

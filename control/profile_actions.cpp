#include "control/profile_actions.h"

#include "settings/text_tables.h"

namespace voltrane {

namespace {

constexpr int kNumberedProfiles = 5;

void tell(Controller& controller, int textRow, int titleRow) {
    const int language = controller.Language();
    controller.Ui().ShowMessage(GetText(TextTable::Message, textRow, language),
                                GetText(TextTable::Message, titleRow, language), language);
}

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

}  // namespace

bool LoadChosenProfile(Controller& controller, int page) {
    const std::optional<std::filesystem::path> path = controller.Ui().ChooseOpenFile(kProfileFilter);
    if (!path) return false;
    const ProfileLoad load = controller.LoadProfile(*path, page);
    if (load == ProfileLoad::Unreadable || load == ProfileLoad::NotAProfile) {
        tell(controller, kMessageError, kMessageFail);
        return false;
    }
    return true;
}

std::vector<int> SaveSettingAs(Controller& controller, int command) {
    if (command < 0 || command > kNumberedProfiles) return {};
    std::vector<int> changed = lightProfileTab(controller.Setting(), command);
    const std::optional<std::filesystem::path> path =
        command == 0 ? controller.Ui().ChooseSaveFile(kProfileFilter) : controller.NumberedProfile(command);
    if (path && !controller.SaveProfile(*path)) tell(controller, kMessageFileSaveFailed, kMessageError);
    return changed;
}

}  // namespace voltrane

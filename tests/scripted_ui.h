#pragma once
// The user, scripted: records every message, answers questions and file dialogs from
// queues (No and Cancel once a queue is empty).

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "control/user_interface.h"

namespace voltrane {

struct ShownMessage {
    std::u16string text;
    std::u16string title;
    int language;
    bool operator==(const ShownMessage&) const = default;
};

class ScriptedUi final : public UserInterface {
public:
    void ShowMessage(std::u16string_view text, std::u16string_view title, int language) override {
        shown.push_back({std::u16string(text), std::u16string(title), language});
    }
    bool AskYesNo(std::u16string_view text, std::u16string_view, int) override {
        questions.emplace_back(text);
        if (yesNo.empty()) return false;
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileFilter& filter) override {
        ++saveDialogs;
        lastFilter = filter;
        return nextFile();
    }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileFilter& filter) override {
        ++openDialogs;
        lastFilter = filter;
        return nextFile();
    }

    std::deque<std::optional<std::filesystem::path>> files;  // what the next file dialogs return
    std::deque<bool> yesNo;                                  // what the next questions are answered
    std::vector<ShownMessage> shown;
    std::vector<std::u16string> questions;
    int saveDialogs = 0;
    int openDialogs = 0;
    std::optional<FileFilter> lastFilter;

private:
    std::optional<std::filesystem::path> nextFile() {
        if (files.empty()) return std::nullopt;
        std::optional<std::filesystem::path> answer = files.front();
        files.pop_front();
        return answer;
    }
};

}  // namespace voltrane

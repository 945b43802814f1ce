#pragma once
// The capture dialogs, scripted: each run answers from its queue (Cancel once the queue is empty)
// and records what it was given.

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "control/capture_dialogs.h"

namespace voltrane {

class ScriptedCaptureDialogs final : public CaptureDialogs {
public:
    std::optional<KeyString> RunSingleKey(int language) override {
        languages.push_back(language);
        return next(keys);
    }
    std::optional<int> RunChoice(const MacroStore& store, int language) override {
        languages.push_back(language);
        choiceCounts.push_back(store.m_nMacroCount);
        return next(choices);
    }
    std::optional<MacroRecord> RunMacroEditor(const MacroRecord& record, std::u16string_view name,
                                              int language) override {
        languages.push_back(language);
        editorInput.push_back(record);
        editorNames.emplace_back(name);
        return next(edits);
    }

    std::deque<std::optional<KeyString>> keys;     // answers of the single-key dialog
    std::deque<std::optional<int>> choices;        // answers of the choice dialog
    std::deque<std::optional<MacroRecord>> edits;  // answers of the macro editor
    std::vector<int> languages;                    // the language of every run
    std::vector<uint32_t> choiceCounts;            // the store's count at each choice
    std::vector<MacroRecord> editorInput;          // the record each editor run was given
    std::vector<std::u16string> editorNames;       // and its name

private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

// A macro of `presses` presses of the key A, each with its release: 2 x `presses` step records.
inline MacroRecord KeyPresses(int presses) {
    constexpr uint8_t kKeyA = 46;  // the key table's row of A
    MacroRecord macro{};
    for (int press = 0; press < presses; ++press) {
        macro.steps[macro.count++] = {kKeyDown, {kKeyA}};
        macro.steps[macro.count++] = {kKeyUp, {kKeyA}};
    }
    macro.length = static_cast<uint8_t>(std::min(8 * presses, 255));
    return macro;
}

}  // namespace voltrane

#pragma once
// The text of a KConfig file read and edited by KConfig's own rules, keeping every other byte:
// names match exactly; of two groups or keys of the same name the later one counts; "#" starts a
// comment; a "[$i]" mark makes the file (alone on a line), a group (after its name) or an entry
// (after its key) immutable, and the first immutable entry of a key holds against later ones.
// Group and key names are compared as written, without KConfig's escapes.

#include <optional>
#include <string>
#include <string_view>

namespace voltrane {

// The entry `key` of the top-level group `group` as KConfig reads it from `text`.
struct KConfigLookup {
    std::optional<std::string> value;  // the value that counts; std::nullopt when missing or deleted
    bool immutable = false;            // KConfig would refuse to change it
};

KConfigLookup LookUpKConfigEntry(std::string_view text, std::string_view group, std::string_view key);

// `text` with the entry set to `value`: the line of the entry that counts is rewritten in place, a
// missing key is added after the last entry of the group's last block, a missing group is added at
// the end. Every other byte is kept. Returns std::nullopt when the entry is immutable.
std::optional<std::string> SetKConfigEntry(std::string_view text, std::string_view group,
                                           std::string_view key, std::string_view value);

}  // namespace voltrane

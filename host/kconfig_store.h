#pragma once
// Plasma's configuration files, read and written one entry at a time the way KConfig reads them.

#include <filesystem>
#include <optional>
#include <string>

namespace voltrane {

// One entry of a KConfig file: the file, a top-level group and a key, all named exactly.
struct KConfigEntry {
    std::filesystem::path file;
    std::string group;
    std::string key;

    // "<file> [<group>] <key>", for messages.
    std::string Describe() const { return file.string() + " [" + group + "] " + key; }
};

class KConfigStore {
public:
    virtual ~KConfigStore() = default;

    // The entry's value as Plasma reads it; empty when the file or the key is missing;
    // std::nullopt when the file exists but cannot be read.
    virtual std::optional<std::string> Read(const KConfigEntry& entry) = 0;

    // Sets the entry, telling running programs where the store can. Returns why it was not set
    // (a file that cannot be read or written, an entry marked immutable with [$i]); empty when
    // it was. The caller reads the value back to be sure.
    virtual std::string Write(const KConfigEntry& entry, const std::string& value) = 0;

    // How the files are reached, for messages: the tool's name, or "file edits".
    virtual std::string Name() const = 0;
};

}  // namespace voltrane

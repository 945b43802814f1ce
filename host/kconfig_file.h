#pragma once
// Plasma's files edited directly, for systems without KDE's tools: KConfig's rules for reading
// (see kconfig_text.h), KConfig's lock file while writing, every byte the edit does not concern
// kept as it was, and the file replaced atomically.

#include "host/kconfig_store.h"

namespace voltrane {

class KConfigFile final : public KConfigStore {
public:
    // std::nullopt when the file exists but cannot be read or is larger than kMaxIniFileBytes.
    std::optional<std::string> Read(const KConfigEntry& entry) override;

    // Creates the folder and the file when missing. Refuses an immutable entry, a file that cannot
    // be read, and a file locked by a running program; the file is then left as it was.
    std::string Write(const KConfigEntry& entry, const std::string& value) override;

    // "file edits".
    std::string Name() const override;
};

}  // namespace voltrane

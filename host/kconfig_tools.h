#pragma once
// Plasma's files through KDE's own command-line tools, kwriteconfig and kreadconfig: KConfig itself
// parses, locks and rewrites the files, and running programs are told of the change where the tool
// can (--notify).

#include <memory>

#include "host/kconfig_store.h"

namespace voltrane {

class KConfigTools final : public KConfigStore {
public:
    // `writer` and `reader` are the programs; `notify` passes --notify to the writer.
    KConfigTools(std::string writer, std::string reader, bool notify);

    // The newest pair installed: kwriteconfig6 and kreadconfig6, else kwriteconfig5 and
    // kreadconfig5; null when neither pair is. --notify is passed when the writer offers it.
    static std::unique_ptr<KConfigTools> Find();

    // Runs the reader; std::nullopt when it fails.
    std::optional<std::string> Read(const KConfigEntry& entry) override;

    // Runs the writer; its refusal (exit status 2: the file is not writable or the entry is
    // immutable) and other failures are returned with the tool's name.
    std::string Write(const KConfigEntry& entry, const std::string& value) override;

    // The writer's name, e.g. "kwriteconfig6".
    std::string Name() const override;

private:
    std::string m_writer;
    std::string m_reader;
    bool m_notify;
};

}  // namespace voltrane

#pragma once
// Profile files: one MouseSetting stored as a UTF-16 INI file, section "Setting", keyed by the
// captions of the active language.

#include <filesystem>

#include "settings/atomic_file.h"
#include "settings/mouse_setting.h"

namespace voltrane {

enum class [[nodiscard]] ProfileLoad{
    Loaded,       // the file was read
    Missing,      // no file: the record was reset to the built-in defaults
    Unreadable,   // the file exists but cannot be read (or is too large to be a profile): record kept
    NotAProfile,  // no key of the language in section "Setting" (a text file, a UTF-16BE file): record kept
};

// Writes the whole record to `path` with the keys of `language`, replacing any file there
// atomically. `macroFile` is stored for reference only. On failure (the file cannot be written, or
// would be too large to load again) the old file is unchanged and the result says why.
WriteResult SaveProfile(const MouseSetting& setting, const std::filesystem::path& path,
                        const std::filesystem::path& macroFile, int language);

// Reads the profile at `path` into `setting` with the keys of `language`, or with those of the
// language the file was written in when another language's keys outnumber `language`'s (a profile
// saved before the language was switched). Items whose key is missing become 0; key and macro bytes follow
// the three-digit rule (malformed text gives the bytes the digit arithmetic gives). A file that cannot be
// read, or that holds no key of any language in section "Setting", leaves `setting` exactly as it was.
// Otherwise the load ends by deriving each button's macro length from its stored records and with
// NormaliseProfileItems(page).
ProfileLoad LoadProfile(MouseSetting& setting, const std::filesystem::path& path, int language, int page);

// The fixed normalisation after every load: the page tabs follow `page` (0 basic, 1 advanced,
// 2 colour). Every other item, Breathing and the lamps included, keeps the value the file gave it.
void NormaliseProfileItems(MouseSetting& setting, int page);

// The length in bytes of the leading step records of a macro row: 10 for each record from the start
// whose byte 0 is a press, DPI, keyboard or release record, at most 25 records.
int32_t MacroRowLength(const uint8_t (&row)[kMacroRowBytes]);

}  // namespace voltrane

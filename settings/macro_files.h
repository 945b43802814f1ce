#pragma once
// Macro files: the records of the macro store in a binary macro file ("mouse.mac" or an exported
// "*.mac"), and their names in a name file beside it, an INI file.
//
// Macro file (little-endian): bytes 0-30 the signature "Tarnhollow Gaming Mouse Macro " and its
// 0 byte, 31-59 zero, 60-63 the record count n (unsigned 32-bit), then n records of 2824 bytes,
// each a MacroRecord byte for byte (its `count` little-endian).
// Name file: section "MacroNum", key "Number" = n in decimal; section "MacroName", keys "Macro_1"
// .. "Macro_n" = the names of records 0 .. n - 1. Written as UTF-16LE with the byte order mark FF FE
// and CR LF line ends, which Windows reads as Unicode too. Read as UTF-16LE when it starts with
// FF FE; otherwise as UTF-8 when it is valid UTF-8 (our files before UTF-16, or with the UTF-8
// mark EF BB BF), else in the ANSI code page of the active language (AnsiCodePageOf): the file
// Windows makes in the system's code page.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "settings/atomic_file.h"
#include "settings/macro_store.h"

namespace voltrane {

inline constexpr std::size_t kMacroHeaderBytes = 64;
inline constexpr std::size_t kMacroCountOffset = 60;
inline constexpr std::size_t kMacroRecordBytes = sizeof(MacroRecord);  // 2824
// The signature with its terminating 0 byte: the 31 bytes a macro file must start with.
inline constexpr std::string_view kMacroSignature{"Tarnhollow Gaming Mouse Macro \0", 31};
// The most of a macro file that is ever read: the header and 300 records. Bytes past it are ignored.
inline constexpr std::size_t kMaxMacroFileBytes = kMacroHeaderBytes + kMaxMacros * kMacroRecordBytes;

enum class [[nodiscard]] MacroFileRead{
    Read,          // the store now holds the file's records: repaint the macro list
    CannotOpen,    // no such file, not a regular file, or unreadable: store unchanged
    BadSignature,  // not a macro file (the user's file is damaged or foreign): store unchanged
};

// Reads the macro file at `path` into `store`. When its first 31 bytes are the signature: the list
// state (hover, selection, top row) becomes 0, all 301 records are zeroed, m_nMacroCount becomes
// the count at offset 60 (above 300 read as 300) and that many records are read byte for byte. A
// file shorter than announced leaves the missing records (or the missing tail of the last one)
// zero; header bytes past the end of a short file read as 0. The names are not touched. At most
// kMaxMacroFileBytes of the file are read, so a huge file costs no memory.
MacroFileRead ReadMacroFile(MacroStore& store, const std::filesystem::path& path);

// Reads the name file at `path` into the store's names: all 301 names become empty, then names
// 0 .. min(Number, 301) - 1 are read from keys "Macro_1" ... (a missing key gives an empty name;
// values are read as IniFile::GetString reads them: surrounding blanks, then one pair of matching
// quotes, are removed). A file that is neither UTF-16LE nor valid UTF-8 is read in the ANSI code
// page of `language` (0 .. 5 as in text_tables.h; see AnsiCodePageOf in languages.h). A missing, unreadable
// or oversized (kMaxIniFileBytes) file leaves all names empty. Returns the number of names looked up.
int ReadMacroNames(MacroStore& store, const std::filesystem::path& path, int language);

// "Number" of a name file as a count: leading blanks (space, tab) skipped, decimal digits read up
// to the first non-digit; no digits (empty text, a sign, a letter) gives 0; a number too large for
// an int gives INT32_MAX. Only the first 511 characters count, like the reader's buffer.
int32_t ParseMacroNumber(std::u16string_view text);

// Writes the header and records 0 .. m_nMacroCount - 1 (at most 300) to the macro file at
// `macroPath`, then a fresh name file at `namePath` holding the same count and those records'
// names. Both are written to temporary files first, and neither replaces its old file unless both
// could be written, so a failure leaves both files as they were. On failure the result names the
// file that failed and the reason. Two paths that name the same file (a macro file called "x.name")
// write nothing and fail.
WriteResult WriteMacroStore(const MacroStore& store, const std::filesystem::path& macroPath,
                            const std::filesystem::path& namePath);

// The name file of a macro file: the same path with everything after the last '.' of the file
// name replaced by "name" ("/x/mouse.mac" -> "/x/mouse.name", "a.b.mac" -> "a.b.name"). Dots in
// folder names do not count. A file name without a dot gets ".name" appended ("/x/macros" ->
// "/x/macros.name"). A path without a file name (empty, or ending in '/') gives an empty path.
std::filesystem::path NameFileFor(const std::filesystem::path& macroPath);

}  // namespace voltrane

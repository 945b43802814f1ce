#pragma once
// The INI engine behind profiles, the macro name file and the language file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/atomic_file.h"

namespace voltrane {

enum class IniEncoding { Utf16Le, Utf8 };

// Files larger than this are refused as damaged, so a broken file never costs memory out of
// proportion to what the program keeps in it.
inline constexpr std::size_t kMaxIniFileBytes = 512 * 1024;

// One INI document in memory.
//
// Encoding: bytes starting with FF FE are UTF-16 little-endian, anything else UTF-8 (an optional
// UTF-8 byte order mark is skipped; invalid bytes read as U+FFFD). A reader that names an ANSI code
// page reads a file without either mark that is not valid UTF-8 in that code page instead, as
// Windows reads a file it made in the system's code page. A document is saved in the encoding it
// was read with; one read in a code page is saved as UTF-16LE. Lines may end with CR LF, LF or CR;
// lines the engine adds end like the file's first line (CR LF in a new document). Lines it does not
// change (comments starting with ';', blank and unknown lines, lines before the first section) are
// written back as they were read.
//
// Matching: section names and keys are compared without regard to surrounding blanks (space,
// tab) and to case (ASCII, Latin-1, Greek, Cyrillic and full-width Latin letters). When a name
// occurs twice, the first section or key line wins. A key made of blanks only is the empty key:
// it is written as given (" =value") and matches any line whose key part is empty or blank.
//
// A section header is a line whose first non-blank character is '[' and that contains a ']'
// further on; the name lies between the '[' and the last ']'. A key line is a line inside a
// section that holds '=' and does not start with ';': the key lies before the first '='.
//
// Values are read as GetPrivateProfileString reads them: surrounding blanks are removed, then one
// pair of matching quotes (" or ') around the rest: `k="val"` reads as `val`, `k=" abc "` as
// ` abc `, while `"abc`, `"abc"x` and `'abc"` stay as they are. Values are written as given, so a
// value that starts and ends with the same quote loses the pair when read back, as on Windows.
class IniFile {
public:
    // An empty document that will be saved in `encoding`.
    explicit IniFile(IniEncoding encoding = IniEncoding::Utf16Le);

    // Parses the bytes of a file. Never fails: text that is not INI is kept as unknown lines.
    // `ansiCodePage` (936, 950, 1252, 932 or 949; see AnsiToUtf16) is the code page a file without
    // byte order mark is read in when it is not valid UTF-8; 0 reads such a file as UTF-8 too.
    static IniFile Parse(std::string_view bytes, int ansiCodePage = 0);

    // Reads and parses a file. Returns std::nullopt when the file does not exist, cannot be read,
    // or is larger than kMaxIniFileBytes.
    static std::optional<IniFile> Load(const std::filesystem::path& path, int ansiCodePage = 0);

    // The value of `key` in `section`, without surrounding blanks and then without one pair of
    // surrounding matching quotes (see above); std::nullopt when missing.
    std::optional<std::u16string> GetString(std::u16string_view section, std::u16string_view key) const;

    // The same, giving `def` when the key is missing.
    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view def) const;

    // The value of `key` read by ParseIniInt; `def` when the key is missing or its value empty (as
    // read by GetString: `k=`, `k=  ` and `k=""` give `def`).
    int32_t GetInt(std::u16string_view section, std::u16string_view key, int32_t def) const;

    // Sets `key` in `section` to `value`. A missing section is added at the end of the document;
    // an existing key line gets the new value in place (its key text is kept); a new key line goes
    // after the last key line of the section, or right after its header. CR and LF in any of the
    // three texts are written as blanks, so no text can break a line. A key that could not be read
    // back (one holding '=', or starting with '[' or ';' after leading blanks) is refused: the call
    // then changes nothing.
    void SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // The encoding the document is saved in.
    IniEncoding Encoding() const;

    // The document as file bytes: FF FE and UTF-16LE code units, or UTF-8 without a byte order
    // mark (unless the text itself starts with U+FEFF, which then needs one in front to survive).
    std::string Serialize() const;

    // Writes Serialize() to `path`, replacing any file there atomically. A document larger than
    // kMaxIniFileBytes, which Load would refuse, is not written. On failure the old file is
    // unchanged and the result says why.
    WriteResult Save(const std::filesystem::path& path) const;

    // The same as Save up to the replacement: writes Serialize() into `file`, which the caller
    // commits.
    WriteResult WriteTo(PendingFile& file) const;

private:
    enum class LineEnd : uint8_t { None, CrLf, Lf, Cr };

    struct Line {
        std::u16string text;  // without its line end
        LineEnd end = LineEnd::CrLf;
    };

    struct Section {
        Line header;
        std::vector<Line> body;
        std::size_t keyEnd = 0;  // one past the last key line of body: where a new key goes
        std::unordered_map<std::u16string, std::size_t> keys;  // matching form -> first body line
    };

    void AddParsedLine(Line line);
    const Section* FindSection(std::u16string_view name) const;
    Section& FindOrAddSection(const std::u16string& name);
    void TerminateLastLine();
    void InsertKeyLine(Section& section, std::u16string text);
    // The line end of lines the engine adds: the first line end the file was read with, else CR LF.
    LineEnd AddedLineEnd() const;

    IniEncoding m_encoding;
    LineEnd m_addedLineEnd = LineEnd::None;  // first line end seen while parsing
    std::vector<Line> m_preamble;            // lines before the first section header
    std::vector<Section> m_sections;
    std::unordered_map<std::u16string, std::size_t> m_sectionIndex;  // matching form -> first section
};

// Reads an INI value as a signed 32-bit integer, as GetPrivateProfileInt does. Surrounding blanks
// are ignored; one optional sign ('+' or '-') comes first, then "0x" or "0X" introduces hexadecimal
// digits, otherwise decimal digits follow. Reading stops at the first character that is not a
// digit; text without digits gives 0. The number is kept to its low 32 bits, so "0xffffffff" gives
// -1 and larger numbers wrap; a '-' negates it after that ("-0x10" gives -16, "-0xffffffff" 1).
int32_t ParseIniInt(std::u16string_view text);

}  // namespace voltrane

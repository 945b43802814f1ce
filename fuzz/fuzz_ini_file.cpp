// Fuzzes the INI engine: parsing any bytes, lookups, SetString, Serialize and parsing again.
//
// Input: the document's bytes, optionally followed by a 0 byte and "section\0key\0value" (UTF-8)
// for the SetString call; without that part fixed names are used.
// Properties checked:
// - Serialize gives back the input unchanged when nothing was set and the input was valid UTF-8
//   without a byte order mark, or UTF-16LE with one and an even length.
// - Parsing with an ANSI code page (one of the five, chosen by size) gives the same document as
//   parsing without when the input is valid UTF-8 or starts with a byte order mark.
// - After SetString, GetString gives the value (CR and LF as blanks, surrounding blanks and then
//   one pair of matching quotes removed), unless the key is one the engine refuses; a refused key
//   changes nothing.
// - Parsing the serialized document again gives the same value and serializes to the same bytes.

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz/fuzz_input_file.h"
#include "settings/ini_file.h"
#include "settings/utf.h"

namespace {

using voltrane::IniFile;

std::u16string WithoutLineBreaks(std::u16string text) {
    for (char16_t& c : text) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
    return text;
}

// The value as GetString gives it back: without surrounding blanks, then without one pair of
// matching quotes.
std::u16string AsRead(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return std::u16string(text);
}

// Whether the engine accepts `key` (already without line breaks): see IniFile::SetString.
bool AcceptedKey(std::u16string_view key) {
    std::u16string_view start = key;
    while (!start.empty() && (start.front() == u' ' || start.front() == u'\t')) start.remove_prefix(1);
    if (!start.empty() && (start.front() == u'[' || start.front() == u';')) return false;
    return key.find(u'=') == std::u16string_view::npos;
}

std::string_view NextPart(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

void ExerciseLookups(const IniFile& file) {
    static const std::u16string_view kNames[] = {u"Setting", u"MacroNum", u"MacroName", u"",       u" ",
                                                 u"Number",  u"Button1",  u"Language",  u"Macro_1"};
    for (std::u16string_view section : kNames) {
        for (std::u16string_view key : kNames) {
            (void)file.GetString(section, key);
            (void)file.GetInt(section, key, -7);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > voltrane::kMaxIniFileBytes) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view rest = input;
    const std::string_view document = NextPart(rest);
    const bool hasCommand = document.size() < input.size();

    IniFile file = IniFile::Parse(document);
    ExerciseLookups(file);

    const bool utf16 = document.starts_with("\xFF\xFE");
    const bool plainUtf8 = !utf16 && !document.starts_with("\xEF\xBB\xBF") &&
                           voltrane::Utf16ToUtf8(voltrane::Utf8ToUtf16(document)) == document;
    if ((utf16 && document.size() % 2 == 0) || plainUtf8) {
        VOLTRANE_FUZZ_CHECK(file.Serialize() == document);
    }
    static constexpr int kCodePages[] = {936, 950, 1252, 932, 949};
    const IniFile ansi = IniFile::Parse(document, kCodePages[size % std::size(kCodePages)]);
    ExerciseLookups(ansi);
    if (utf16 || document.starts_with("\xEF\xBB\xBF") || voltrane::IsValidUtf8(document)) {
        VOLTRANE_FUZZ_CHECK(ansi.Encoding() == file.Encoding() && ansi.Serialize() == file.Serialize());
    } else {
        VOLTRANE_FUZZ_CHECK(ansi.Encoding() == voltrane::IniEncoding::Utf16Le);
    }

    std::u16string section = u"Setting";
    std::u16string key = u"Button1";
    std::u16string value = u" 0x1f ";
    if (hasCommand) {
        section = voltrane::Utf8ToUtf16(NextPart(rest));
        key = voltrane::Utf8ToUtf16(NextPart(rest));
        value = voltrane::Utf8ToUtf16(rest);
    }
    const std::string before = file.Serialize();
    file.SetString(section, key, value);
    const std::u16string cleanSection = WithoutLineBreaks(section);
    const std::u16string cleanKey = WithoutLineBreaks(key);
    const std::u16string expected = AsRead(WithoutLineBreaks(value));
    const bool accepted = AcceptedKey(cleanKey);
    if (accepted) {
        VOLTRANE_FUZZ_CHECK(file.GetString(cleanSection, cleanKey) == expected);
    } else {
        VOLTRANE_FUZZ_CHECK(file.Serialize() == before);
    }

    const std::string bytes = file.Serialize();
    const IniFile again = IniFile::Parse(bytes);
    ExerciseLookups(again);
    if (accepted) VOLTRANE_FUZZ_CHECK(again.GetString(cleanSection, cleanKey) == expected);
    VOLTRANE_FUZZ_CHECK(again.Serialize() == bytes);
    return 0;
}

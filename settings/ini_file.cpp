#include "settings/ini_file.h"

#include <algorithm>
#include <utility>

#include "settings/atomic_file.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

constexpr std::string_view kUtf16Bom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// `text` without one pair of matching quotes around it, as GetPrivateProfileString gives values.
std::u16string_view WithoutQuotes(std::u16string_view text) {
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front()) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

std::u16string_view TrimLeadingBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

char16_t FoldCase(char16_t c) {
    const bool upper = (c >= u'A' && c <= u'Z') ||                  // ASCII
                       (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||     // Latin-1, without the sign ×
                       (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||  // Greek
                       (c >= 0x410 && c <= 0x42F) ||                // Cyrillic
                       (c >= 0xFF21 && c <= 0xFF3A);                // full-width Latin
    if (upper) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);  // Cyrillic Ѐ..Џ
    return c;
}

// The form in which section names and keys are compared.
std::u16string MatchingForm(std::u16string_view name) {
    std::u16string folded(TrimBlanks(name));
    for (char16_t& c : folded) c = FoldCase(c);
    return folded;
}

std::u16string WithoutLineBreaks(std::u16string_view text) {
    std::u16string clean(text);
    for (char16_t& c : clean) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
    return clean;
}

std::optional<std::u16string_view> SectionNameOf(std::u16string_view line) {
    line = TrimLeadingBlanks(line);
    const std::size_t close = line.rfind(u']');
    if (line.empty() || line.front() != u'[' || close == std::u16string_view::npos) return std::nullopt;
    return line.substr(1, close - 1);
}

std::optional<std::u16string_view> KeyOf(std::u16string_view line) {
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos || TrimLeadingBlanks(line).front() == u';') {
        return std::nullopt;
    }
    return line.substr(0, equals);
}

// Whether `key` survives being written as "key=value" and read back.
bool CanBeKey(std::u16string_view key) {
    const std::u16string_view start = TrimLeadingBlanks(key);
    const bool badStart = !start.empty() && (start.front() == u'[' || start.front() == u';');
    return !badStart && key.find(u'=') == std::u16string_view::npos;
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    if (bytes.size() % 2 != 0) text.push_back(kReplacementChar);  // a cut-off last code unit
    return text;
}

std::string EncodeUtf16Le(std::u16string_view text) {
    std::string bytes(kUtf16Bom);
    bytes.reserve(kUtf16Bom.size() + 2 * text.size());
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads the leading digits of `digits` in `base`, keeping the low 32 bits of the number.
uint32_t ReadDigits(std::u16string_view digits, int base) {
    uint32_t value = 0;
    for (char16_t c : digits) {
        const int digit = DigitValue(c);
        if (digit < 0 || digit >= base) break;
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
    }
    return value;
}

}  // namespace

IniFile::IniFile(IniEncoding encoding) : m_encoding(encoding) {}

IniFile IniFile::Parse(std::string_view bytes, int ansiCodePage) {
    std::optional<std::u16string> ansi;
    if (ansiCodePage != 0 && !bytes.starts_with(kUtf16Bom) && !bytes.starts_with(kUtf8Bom) &&
        !IsValidUtf8(bytes)) {
        ansi = AnsiToUtf16(bytes, ansiCodePage);  // std::nullopt: no such code page, read as UTF-8
    }
    const bool utf16 = bytes.starts_with(kUtf16Bom);
    IniFile file(utf16 || ansi ? IniEncoding::Utf16Le : IniEncoding::Utf8);
    if (!utf16 && bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    const std::u16string text = ansi    ? std::move(*ansi)
                                : utf16 ? DecodeUtf16Le(bytes.substr(kUtf16Bom.size()))
                                        : Utf8ToUtf16(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = std::min(text.find_first_of(u"\r\n", start), text.size());
        Line line{text.substr(start, stop - start), LineEnd::None};
        start = stop;
        if (start < text.size() && text[start] == u'\r') {
            ++start;
            line.end = LineEnd::Cr;
        }
        if (start < text.size() && text[start] == u'\n') {
            ++start;
            line.end = line.end == LineEnd::Cr ? LineEnd::CrLf : LineEnd::Lf;
        }
        if (line.end != LineEnd::None && file.m_addedLineEnd == LineEnd::None) {
            file.m_addedLineEnd = line.end;  // lines added later follow the file's first line end
        }
        file.AddParsedLine(std::move(line));
    }
    return file;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& path, int ansiCodePage) {
    const std::optional<std::string> bytes = ReadFileLimited(path, kMaxIniFileBytes);
    if (!bytes) return std::nullopt;
    return Parse(*bytes, ansiCodePage);
}

std::optional<std::u16string> IniFile::GetString(std::u16string_view section,
                                                 std::u16string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) return std::nullopt;
    const auto line = found->keys.find(MatchingForm(key));
    if (line == found->keys.end()) return std::nullopt;
    const std::u16string_view text = found->body[line->second].text;
    return std::u16string(WithoutQuotes(TrimBlanks(text.substr(text.find(u'=') + 1))));
}

std::u16string IniFile::GetString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view def) const {
    std::optional<std::u16string> value = GetString(section, key);
    return value ? std::move(*value) : std::u16string(def);
}

int32_t IniFile::GetInt(std::u16string_view section, std::u16string_view key, int32_t def) const {
    const std::optional<std::u16string> value = GetString(section, key);
    return value && !value->empty() ? ParseIniInt(*value) : def;
}

void IniFile::SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    const std::u16string cleanKey = WithoutLineBreaks(key);
    if (!CanBeKey(cleanKey)) return;
    Section& target = FindOrAddSection(WithoutLineBreaks(section));
    const auto [line, added] = target.keys.try_emplace(MatchingForm(cleanKey), target.keyEnd);
    if (added) {
        InsertKeyLine(target, cleanKey + u'=' + WithoutLineBreaks(value));
        return;
    }
    std::u16string& text = target.body[line->second].text;
    text.resize(text.find(u'=') + 1);
    text += WithoutLineBreaks(value);
}

IniEncoding IniFile::Encoding() const { return m_encoding; }

std::string IniFile::Serialize() const {
    std::u16string text;
    const auto append = [&text](const Line& line) {
        static constexpr std::u16string_view kEnds[] = {u"", u"\r\n", u"\n", u"\r"};
        text += line.text;
        text += kEnds[static_cast<std::size_t>(line.end)];
    };
    for (const Line& line : m_preamble) append(line);
    for (const Section& section : m_sections) {
        append(section.header);
        for (const Line& line : section.body) append(line);
    }
    if (m_encoding == IniEncoding::Utf16Le) return EncodeUtf16Le(text);
    // A document whose text starts with U+FEFF gets a byte order mark in front, or reading the
    // file back would take that character for the mark and drop it.
    if (text.starts_with(u'\uFEFF')) return std::string(kUtf8Bom) + Utf16ToUtf8(text);
    return Utf16ToUtf8(text);
}

WriteResult IniFile::Save(const std::filesystem::path& path) const {
    PendingFile file(path);
    if (WriteResult written = WriteTo(file); !written) return written;
    return file.Commit();
}

WriteResult IniFile::WriteTo(PendingFile& file) const {
    const std::string bytes = Serialize();
    if (bytes.size() > kMaxIniFileBytes)
        return WriteResult::Failed("larger than 512 KiB, too large to be read back");
    return file.Write(bytes);
}

void IniFile::AddParsedLine(Line line) {
    if (const auto name = SectionNameOf(line.text)) {
        m_sectionIndex.try_emplace(MatchingForm(*name), m_sections.size());
        m_sections.push_back(Section{std::move(line), {}, 0, {}});
        return;
    }
    if (m_sections.empty()) {
        m_preamble.push_back(std::move(line));
        return;
    }
    Section& section = m_sections.back();
    if (const auto key = KeyOf(line.text)) {
        section.keys.try_emplace(MatchingForm(*key), section.body.size());
        section.keyEnd = section.body.size() + 1;
    }
    section.body.push_back(std::move(line));
}

const IniFile::Section* IniFile::FindSection(std::u16string_view name) const {
    const auto found = m_sectionIndex.find(MatchingForm(name));
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

IniFile::Section& IniFile::FindOrAddSection(const std::u16string& name) {
    const auto [found, added] = m_sectionIndex.try_emplace(MatchingForm(name), m_sections.size());
    if (added) {
        TerminateLastLine();
        m_sections.push_back(Section{Line{u"[" + name + u"]", AddedLineEnd()}, {}, 0, {}});
    }
    return m_sections[found->second];
}

// Gives the document's last line a line end, so that a line can follow it.
void IniFile::TerminateLastLine() {
    Line* last = nullptr;
    if (!m_sections.empty()) {
        Section& section = m_sections.back();
        last = section.body.empty() ? &section.header : &section.body.back();
    } else if (!m_preamble.empty()) {
        last = &m_preamble.back();
    }
    if (last != nullptr && last->end == LineEnd::None) last->end = AddedLineEnd();
}

IniFile::LineEnd IniFile::AddedLineEnd() const {
    return m_addedLineEnd == LineEnd::None ? LineEnd::CrLf : m_addedLineEnd;
}

void IniFile::InsertKeyLine(Section& section, std::u16string text) {
    Line& previous = section.keyEnd == 0 ? section.header : section.body[section.keyEnd - 1];
    if (previous.end == LineEnd::None) previous.end = AddedLineEnd();
    section.body.insert(section.body.begin() + static_cast<std::ptrdiff_t>(section.keyEnd),
                        Line{std::move(text), AddedLineEnd()});
    ++section.keyEnd;
}

int32_t ParseIniInt(std::u16string_view text) {
    text = TrimBlanks(text);
    const bool negative = text.starts_with(u'-');
    if (negative || text.starts_with(u'+')) text.remove_prefix(1);
    const bool hex = text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
    const uint32_t magnitude = hex ? ReadDigits(text.substr(2), 16) : ReadDigits(text, 10);
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

}  // namespace voltrane

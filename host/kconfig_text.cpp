#include "host/kconfig_text.h"

#include <algorithm>

#include "settings/trim.h"

namespace voltrane {

namespace {

// A group header: "[name]", "[outer][inner]" (nested names joined by 0x1D), with "[$i]" last.
struct Header {
    std::string name;
    bool fileMark = false;   // "[$i]" alone: the whole file is immutable
    bool groupMark = false;  // "[name][$i]": the group is immutable
};

// std::nullopt for a header without its closing bracket, which KConfig skips.
std::optional<Header> parseHeader(std::string_view line) {
    Header header;
    std::size_t start = 1;
    std::size_t end = 0;
    do {
        end = line.find(']', start);
        if (end == std::string_view::npos) return std::nullopt;
        if (end + 1 == line.size() && line.substr(start, end - start) == "$i") {
            (header.name.empty() ? header.fileMark : header.groupMark) = true;
        } else {
            if (!header.name.empty()) header.name += '\x1d';
            header.name += line.substr(start, end - start);
        }
        start = end + 2;
    } while (start <= line.size() && line[end + 1] == '[');
    return header;
}

// An entry line: "key=value", "key[$i]=value", "key[de]=value", "key[$d]".
struct Entry {
    std::string_view key;
    std::string_view value;
    bool localized = false;
    bool immutable = false;
    bool deleted = false;
};

// Reads the "[...]" marks after a key, last first; false for a mark KConfig rejects.
bool parseKeyMarks(std::string_view& key, Entry& entry) {
    for (std::size_t start = key.rfind('['); start != std::string_view::npos; start = key.rfind('[')) {
        const std::size_t end = key.find(']', start);
        if (end == std::string_view::npos) return false;
        const std::string_view mark = key.substr(start + 1, end - start - 1);
        key = key.substr(0, start);
        if (mark.empty() || mark[0] != '$') {
            if (entry.localized) return false;  // a second locale
            entry.localized = true;
            continue;
        }
        for (const char option : mark.substr(1)) {
            if (option == 'i') entry.immutable = true;
            if (option == 'd') {
                entry.deleted = true;
                return true;  // KConfig stops at a deletion mark
            }
        }
    }
    return true;
}

std::optional<Entry> parseEntry(std::string_view line) {
    const std::size_t equals = line.find('=');
    std::string_view key = equals == std::string_view::npos ? line : TrimAsciiSpace(line.substr(0, equals));
    Entry entry;
    if (key.empty() || !parseKeyMarks(key, entry)) return std::nullopt;
    if (equals == std::string_view::npos && !entry.deleted) return std::nullopt;
    entry.key = key;
    if (equals != std::string_view::npos) entry.value = TrimAsciiSpace(line.substr(equals + 1));
    return entry;
}

// One line of the text: its bytes from `begin` to `end` (before the line break), `next` after it.
struct Line {
    std::size_t begin, end, next;
};

// Where the entry and its group stand in the text, found line by line.
class Scan {
public:
    Scan(std::string_view group, std::string_view key) : m_group(group), m_key(key) {}

    void Read(std::string_view text, const Line& at) {
        const std::string_view line = TrimAsciiSpace(text.substr(at.begin, at.end - at.begin));
        if (line.empty() || line[0] == '#') return;
        if (line[0] == '[') {
            if (const std::optional<Header> header = parseHeader(line)) readHeader(*header, at);
        } else if (m_inGroup) {
            if (const std::optional<Entry> entry = parseEntry(line)) readEntry(*entry, at);
        }
    }

    KConfigLookup Lookup() const { return {m_value, m_fileImmutable || m_groupImmutable || m_held}; }

    std::optional<Line> entryLine;        // the line of the entry that counts
    std::optional<std::size_t> insertAt;  // after the last entry (or header) of the group's last block

private:
    void readHeader(const Header& header, const Line& at) {
        m_fileImmutable |= header.fileMark;
        m_inGroup = header.name == m_group;
        m_blockImmutable = m_inGroup && (header.groupMark || m_fileImmutable);
        m_groupImmutable |= m_inGroup && header.groupMark;
        if (m_inGroup) insertAt = at.next;
    }

    void readEntry(const Entry& entry, const Line& at) {
        insertAt = at.next;
        if (entry.key != m_key || entry.localized || m_held) return;
        m_value = entry.deleted ? std::nullopt : std::optional<std::string>(entry.value);
        entryLine = at;
        m_held = entry.immutable || m_blockImmutable;
    }

    std::string_view m_group, m_key;
    std::optional<std::string> m_value;
    bool m_fileImmutable = false, m_groupImmutable = false, m_inGroup = false, m_blockImmutable = false;
    bool m_held = false;  // an immutable entry holds against later ones
};

Scan scanText(std::string_view text, std::string_view group, std::string_view key) {
    Scan scan(group, key);
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        const std::size_t next = std::min(end + 1, text.size());
        scan.Read(text, {begin, end, next});
        begin = next;
    }
    return scan;
}

// The line break the text uses: CR LF when its first line ends so.
std::string_view lineBreak(std::string_view text) {
    const std::size_t end = text.find('\n');
    return end != std::string_view::npos && end > 0 && text[end - 1] == '\r' ? "\r\n" : "\n";
}

// Rewrites the entry's line as "key=value", keeping its indentation and line break.
void rewriteLine(std::string& text, const Line& at, const std::string& entry) {
    const std::size_t first = std::min(text.find_first_not_of(" \t", at.begin), at.end);
    const std::size_t last = at.end > first && text[at.end - 1] == '\r' ? at.end - 1 : at.end;
    text.replace(first, last - first, entry);
}

// Adds a line at `offset`, the start of a line or the end of the text.
void insertLine(std::string& text, std::size_t offset, const std::string& line, std::string_view eol) {
    const bool unterminated = offset == text.size() && !text.empty() && text.back() != '\n';
    text.insert(offset, (unterminated ? std::string(eol) : "") + line + std::string(eol));
}

}  // namespace

KConfigLookup LookUpKConfigEntry(std::string_view text, std::string_view group, std::string_view key) {
    return scanText(text, group, key).Lookup();
}

std::optional<std::string> SetKConfigEntry(std::string_view text, std::string_view group,
                                           std::string_view key, std::string_view value) {
    const Scan scan = scanText(text, group, key);
    if (scan.Lookup().immutable) return std::nullopt;
    std::string edited(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
    const std::string_view eol = lineBreak(text);
    if (scan.entryLine) {
        rewriteLine(edited, *scan.entryLine, entry);
    } else if (scan.insertAt) {
        insertLine(edited, *scan.insertAt, entry, eol);
    } else {
        if (!edited.empty()) insertLine(edited, edited.size(), "", eol);  // a blank line between groups
        insertLine(edited, edited.size(), "[" + std::string(group) + "]", eol);
        insertLine(edited, edited.size(), entry, eol);
    }
    return edited;
}

}  // namespace voltrane

#include "capture/keyboard_defaults.h"

#include "settings/trim.h"

namespace voltrane {

namespace {

// The value of an assignment: without its quotes, or up to a comment when unquoted.
std::string unquote(std::string_view value) {
    value = TrimAsciiSpace(value);
    if (!value.empty() && (value.front() == '"' || value.front() == '\'')) {
        const size_t end = value.find(value.front(), 1);
        return std::string(value.substr(1, end == std::string_view::npos ? value.npos : end - 1));
    }
    return std::string(TrimAsciiSpace(value.substr(0, value.find('#'))));
}

std::string* fieldOf(XkbNames& names, std::string_view key) {
    if (key == "XKBLAYOUT") return &names.layout;
    if (key == "XKBVARIANT") return &names.variant;
    if (key == "XKBMODEL") return &names.model;
    if (key == "XKBOPTIONS") return &names.options;
    return nullptr;
}

}  // namespace

XkbNames ParseKeyboardDefaults(std::string_view text) {
    XkbNames names;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = TrimAsciiSpace(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos) continue;
        if (std::string* field = fieldOf(names, TrimAsciiSpace(line.substr(0, equals))))
            *field = unquote(line.substr(equals + 1));
    }
    return names;
}

}  // namespace voltrane

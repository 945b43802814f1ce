#pragma once
// Text without the ASCII white space at its ends, as line-based configuration files are read.

#include <cstddef>
#include <string_view>

namespace voltrane {

inline constexpr std::string_view kAsciiSpace = " \t\n\v\f\r";

constexpr std::string_view TrimAsciiSpace(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kAsciiSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kAsciiSpace) - first + 1);
}

}  // namespace voltrane

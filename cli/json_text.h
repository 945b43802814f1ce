#pragma once
// JSON strings for the tool's --json outputs.

#include <ostream>
#include <string_view>

namespace voltrane {

// Writes `utf8` as a quoted JSON string: quotes and backslashes escaped, control characters as \u00XX.
void WriteJsonString(std::ostream& out, std::string_view utf8);

}  // namespace voltrane

#include "cli/json_text.h"

#include <cstdio>

namespace voltrane {

void WriteJsonString(std::ostream& out, std::string_view utf8) {
    out << '"';
    for (char c : utf8) {
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out << escape;
        } else {
            out << c;
        }
    }
    out << '"';
}

}  // namespace voltrane

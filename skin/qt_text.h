#pragma once
// Text between the core's UTF-16 strings and Qt's.

#include <QString>
#include <string_view>

namespace voltrane {

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace voltrane

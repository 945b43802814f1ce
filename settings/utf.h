#pragma once
// Conversions between UTF-8 and UTF-16, used for file contents and paths.

#include <string>
#include <string_view>

namespace voltrane {

inline constexpr char16_t kReplacementChar = u'\uFFFD';

// Decodes UTF-8. Each invalid, overlong, surrogate or truncated sequence becomes one U+FFFD
// (the longest valid-looking prefix is consumed with it); reads only inside `text`.
std::u16string Utf8ToUtf16(std::string_view text);

// Encodes UTF-16 as UTF-8. A surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// `value` in decimal digits, with a leading '-' when negative: 42 -> u"42".
std::u16string DecimalUtf16(long long value);

}  // namespace voltrane

#pragma once
// Conversions between UTF-8 and UTF-16, used for file contents and paths, and from the Windows ANSI
// code pages to UTF-16 for files made on Windows.

#include <optional>
#include <string>
#include <string_view>

namespace voltrane {

inline constexpr char16_t kReplacementChar = u'\uFFFD';

// Decodes UTF-8. Each invalid, overlong, surrogate or truncated sequence becomes one U+FFFD
// (the longest valid-looking prefix is consumed with it); reads only inside `text`.
std::u16string Utf8ToUtf16(std::string_view text);

// Encodes UTF-16 as UTF-8. A surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Appends code point `cp` (a Unicode scalar value) to `out`, as a surrogate pair beyond U+FFFF.
void AppendCodePoint(std::u16string& out, char32_t cp);

// Whether `unit` is the first half of a surrogate pair.
constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// `value` in decimal digits, with a leading '-' when negative: 42 -> u"42".
std::u16string DecimalUtf16(long long value);

// Whether `text` is valid UTF-8 throughout: no sequence that Utf8ToUtf16 would replace.
bool IsValidUtf8(std::string_view text);

// Decodes text in a Windows ANSI code page (936, 950, 1252, 932 or 949) through iconv. A byte
// sequence the code page does not define becomes one U+FFFD and decoding goes on after its first
// byte, so a broken double-byte character cannot swallow a line end; in code page 1252 the five
// undefined bytes (81, 8D, 8F, 90, 9D) read as U+0081 ... U+009D, as on Windows. Returns
// std::nullopt for any other code page, or when iconv does not know the code page.
std::optional<std::u16string> AnsiToUtf16(std::string_view text, int codePage);

}  // namespace voltrane

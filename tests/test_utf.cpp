// The UTF-8 and UTF-16 conversions: every bad sequence or unpaired surrogate becomes one replacement.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "settings/utf.h"

namespace voltrane {
namespace {

using namespace std::string_view_literals;

TEST(UtfTest, Utf8ToUtf16ReplacesEachBadSequenceOnce) {
    struct Row {
        const char* name;
        std::string_view utf8;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {"ASCII", "Ab1", u"Ab1"},
        {"two, three and four bytes", "\xC3\xA4\xE6\x8C\x89\xF0\x9F\x96\xB1", u"ä按\U0001F5B1"},
        {"lone continuation byte", "a\x80z", u"a\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead byte", "\xFF", u"\uFFFD"},
        {"cut three-byte at end", "\xE2\x82", u"\uFFFD"},
        {"cut four-byte before ASCII", "\xF0\x9F\x96z", u"\uFFFDz"},
        {"embedded zero kept", "a\0b"sv, u"a\0b"sv},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Utf8ToUtf16(row.utf8), row.expected);
    }
}

TEST(UtfTest, Utf16ToUtf8ReplacesUnpairedSurrogates) {
    struct Row {
        const char* name;
        std::u16string expected;  // compared after decoding back, so rows stay readable
        std::u16string_view utf16;
    };
    const std::u16string highAtEnd{u'a', char16_t{0xD83D}};
    const std::u16string lowAlone{char16_t{0xDD71}, u'b'};
    const std::u16string swapped{char16_t{0xDD71}, char16_t{0xD83D}};
    const Row rows[] = {
        {"pair", u"\U0001F5B1", u"\U0001F5B1"},
        {"high surrogate at end", u"a\uFFFD", highAtEnd},
        {"low surrogate alone", u"\uFFFDb", lowAlone},
        {"pair in wrong order", u"\uFFFD\uFFFD", swapped},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(row.utf16)), row.expected);
    }
    EXPECT_EQ(Utf16ToUtf8(u"ä\U0001F5B1"), "\xC3\xA4\xF0\x9F\x96\xB1");
}

}  // namespace
}  // namespace voltrane

#include "settings/utf.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace voltrane {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the sequence a lead byte starts and the allowed range of its second byte
// (the tight ranges exclude overlong forms, surrogates and code points above U+10FFFF).
struct LeadInfo {
    int length;  // 0: not a lead byte
    unsigned char secondMin;
    unsigned char secondMax;
};

LeadInfo ClassifyLead(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// Decodes the multi-byte sequence at `pos`. Returns the bytes consumed; on an invalid sequence
// `cp` is U+FFFD and the bytes consumed are the maximal valid prefix (at least one).
std::size_t DecodeSequence(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const LeadInfo info = ClassifyLead(lead);
    cp = kReplacementChar;
    if (info.length == 0) return 1;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    if (pos + 1 >= text.size() || at(1) < info.secondMin || at(1) > info.secondMax) return 1;
    char32_t value = lead & (0x7F >> info.length);
    for (int i = 1; i < info.length; ++i) {
        if (pos + i >= text.size() || !IsContinuation(at(i))) return static_cast<std::size_t>(i);
        value = (value << 6) | (at(i) & 0x3F);
    }
    cp = value;
    return static_cast<std::size_t>(info.length);
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The names glibc's iconv knows a Windows code page by, the Windows name first; none for others.
std::array<const char*, 2> IconvNames(int codePage) {
    switch (codePage) {
        case 936:
            return {"CP936", "GBK"};
        case 950:
            return {"CP950", "BIG5"};
        case 1252:
            return {"CP1252", "WINDOWS-1252"};
        case 932:
            return {"CP932", "WINDOWS-31J"};
        case 949:
            return {"CP949", "UHC"};
        default:
            return {nullptr, nullptr};
    }
}

// An iconv conversion to UTF-16LE, closed when it goes out of scope.
class Converter {
public:
    explicit Converter(int codePage) {
        for (const char* name : IconvNames(codePage)) {
            if (name == nullptr) return;
            m_cd = ::iconv_open("UTF-16LE", name);
            if (Ok()) return;
        }
    }
    ~Converter() {
        if (Ok()) ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd = reinterpret_cast<iconv_t>(-1);
};

}  // namespace

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            out.push_back(byte);
            ++pos;
            continue;
        }
        char32_t cp = 0;
        pos += DecodeSequence(text, pos, cp);
        AppendCodePoint(out, cp);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            cp = kReplacementChar;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::u16string DecimalUtf16(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            ++pos;
            continue;
        }
        const int length = ClassifyLead(byte).length;
        char32_t cp = 0;
        const std::size_t used = DecodeSequence(text, pos, cp);
        if (length == 0 || used != static_cast<std::size_t>(length)) return false;
        pos += used;
    }
    return true;
}

std::optional<std::u16string> AnsiToUtf16(std::string_view text, int codePage) {
    const Converter converter(codePage);
    if (!converter.Ok()) return std::nullopt;
    std::u16string out;
    out.reserve(text.size());
    char* in = const_cast<char*>(text.data());  // iconv's interface; it never writes the input
    std::size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = ::iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        for (const char* unit = buffer; unit + 1 < outPtr; unit += 2) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(unit[0]) |
                                                static_cast<unsigned char>(unit[1]) << 8));
        }
        if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
        // EINVAL: the text ends inside a character. Some converters also say EILSEQ there, with
        // nothing left to skip.
        if (error != EILSEQ || inLeft == 0) {
            out.push_back(kReplacementChar);
            break;
        }
        const auto byte = static_cast<unsigned char>(*in);
        out.push_back(codePage == 1252 ? char16_t{byte} : kReplacementChar);
        ++in;
        --inLeft;
        ::iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    }
    return out;
}

}  // namespace voltrane

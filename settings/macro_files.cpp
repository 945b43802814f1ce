#include "settings/macro_files.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "settings/atomic_file.h"
#include "settings/ini_file.h"
#include "settings/languages.h"
#include "settings/same_file.h"
#include "settings/text_tables.h"

namespace voltrane {

namespace {

constexpr std::u16string_view kNumberSection = u"MacroNum";
constexpr std::u16string_view kNumberKey = u"Number";
constexpr std::u16string_view kNameSection = u"MacroName";
constexpr std::size_t kNumberTextLimit = 511;  // the characters the reader's buffer holds

uint32_t LoadLe32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void StoreLe32(uint32_t value, char* bytes) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Fills `record` from up to 2824 file bytes; bytes missing at the end stay zero. `count` is decoded
// as little-endian whatever the host's byte order; every other field is single bytes.
void DecodeRecord(std::string_view bytes, MacroRecord& record) {
    unsigned char raw[kMacroRecordBytes] = {};
    std::memcpy(raw, bytes.data(), std::min(bytes.size(), kMacroRecordBytes));
    std::memcpy(&record, raw, kMacroRecordBytes);
    record.count = static_cast<int32_t>(LoadLe32(raw + offsetof(MacroRecord, count)));
}

void EncodeRecord(const MacroRecord& record, char* out) {
    std::memcpy(out, &record, kMacroRecordBytes);
    StoreLe32(static_cast<uint32_t>(record.count), out + offsetof(MacroRecord, count));
}

std::u16string NameKey(std::size_t index) { return MacroName(static_cast<int>(index + 1)); }

// The macro file: the header and records 0 .. count - 1.
std::string MacroFileBytes(const MacroStore& store, uint32_t count) {
    std::string bytes(kMacroHeaderBytes + count * kMacroRecordBytes, '\0');
    std::memcpy(bytes.data(), kMacroSignature.data(), kMacroSignature.size());
    StoreLe32(count, bytes.data() + kMacroCountOffset);
    for (uint32_t i = 0; i < count; ++i) {
        EncodeRecord(store.m_Macro[i], bytes.data() + kMacroHeaderBytes + i * kMacroRecordBytes);
    }
    return bytes;
}

// A failed write, naming the file.
WriteResult FileFailed(const std::filesystem::path& path, const WriteResult& written) {
    return WriteResult::Failed(path.string() + ": " + written.error);
}

}  // namespace

MacroFileRead ReadMacroFile(MacroStore& store, const std::filesystem::path& path) {
    const std::optional<std::string> file = ReadFilePrefix(path, kMaxMacroFileBytes);
    if (!file) return MacroFileRead::CannotOpen;
    const std::string_view bytes = *file;
    if (bytes.substr(0, kMacroSignature.size()) != kMacroSignature) return MacroFileRead::BadSignature;

    unsigned char header[kMacroHeaderBytes] = {};
    std::memcpy(header, bytes.data(), std::min(bytes.size(), kMacroHeaderBytes));
    const uint32_t count = std::min(LoadLe32(header + kMacroCountOffset), kMaxMacros);

    store.m_nMacroHoverRow = 0;
    store.m_nMacroSel = 0;
    store.m_nMacroTop = 0;
    store.m_nMacroCount = count;
    std::memset(static_cast<void*>(store.m_Macro), 0, sizeof store.m_Macro);
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t offset = kMacroHeaderBytes + i * kMacroRecordBytes;
        if (offset >= bytes.size()) break;
        DecodeRecord(bytes.substr(offset, kMacroRecordBytes), store.m_Macro[i]);
    }
    return MacroFileRead::Read;
}

int32_t ParseMacroNumber(std::u16string_view text) {
    text = text.substr(0, kNumberTextLimit);
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    int32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        const int32_t digit = c - u'0';
        if (value > (kMax - digit) / 10) return kMax;
        value = value * 10 + digit;
    }
    return value;
}

int ReadMacroNames(MacroStore& store, const std::filesystem::path& path, int language) {
    for (std::u16string& name : store.m_strMacroNames) name.clear();
    const std::optional<IniFile> file = IniFile::Load(path, AnsiCodePageOf(language));
    if (!file) return 0;
    const int32_t number = ParseMacroNumber(file->GetString(kNumberSection, kNumberKey, u""));
    const int names = std::min(number, static_cast<int32_t>(kMacroStoreSlots));
    for (int j = 0; j < names; ++j) {
        store.m_strMacroNames[j] =
            BoundedName(file->GetString(kNameSection, NameKey(static_cast<std::size_t>(j)), u""));
    }
    return names;
}

WriteResult WriteMacroStore(const MacroStore& store, const std::filesystem::path& macroPath,
                            const std::filesystem::path& namePath) {
    if (IsSameFile(macroPath, namePath))
        return WriteResult::Failed(namePath.string() + ": the macro file itself");
    const uint32_t count = std::min(store.m_nMacroCount, kMaxMacros);
    PendingFile macroFile(macroPath);
    if (WriteResult written = macroFile.Write(MacroFileBytes(store, count)); !written)
        return FileFailed(macroPath, written);

    IniFile names(IniEncoding::Utf16Le);
    names.SetString(kNumberSection, kNumberKey, DecimalUtf16(count));
    for (uint32_t i = 0; i < count; ++i)
        names.SetString(kNameSection, NameKey(i), store.m_strMacroNames[i]);
    PendingFile nameFile(namePath);
    if (WriteResult written = names.WriteTo(nameFile); !written) return FileFailed(namePath, written);

    // Both files are complete: only now is either of them replaced.
    if (WriteResult written = macroFile.Commit(); !written) return FileFailed(macroPath, written);
    if (WriteResult written = nameFile.Commit(); !written) return FileFailed(namePath, written);
    return {};
}

std::filesystem::path NameFileFor(const std::filesystem::path& macroPath) {
    std::filesystem::path::string_type name = macroPath.filename().native();
    if (name.empty()) return {};
    const auto dot = name.rfind('.');
    if (dot == name.npos) {
        name += ".name";
    } else {
        name.replace(dot + 1, name.npos, "name");
    }
    return macroPath.parent_path() / name;
}

}  // namespace voltrane

#include "device/report_descriptor.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <limits>
#include <map>

namespace voltrane {

namespace {

// Short item types (bits 2-3 of the prefix) and the tags this parser acts on (bits 4-7).
enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };
enum MainTag : uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC
};
enum GlobalTag : uint8_t {
    kUsagePage = 0x0,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB
};
enum LocalTag : uint8_t { kUsage = 0x0, kUsageMinimum = 0x1 };

constexpr uint8_t kLongItemPrefix = 0xFE;

struct Item {
    uint8_t type = 0;
    uint8_t tag = 0;
    uint8_t size = 0;  // data bytes: 0, 1, 2 or 4
    uint32_t data = 0;
    bool isLong = false;
};

// Reads the item at `pos` and advances `pos` past it. False when the item runs past the end.
bool ReadItem(std::span<const uint8_t> bytes, size_t& pos, Item& item) {
    const uint8_t prefix = bytes[pos];
    if (prefix == kLongItemPrefix) {
        // Long item: prefix, data size, tag, data.
        if (bytes.size() - pos < 3 || bytes.size() - pos - 3 < bytes[pos + 1]) return false;
        item = Item{.isLong = true};
        pos += 3 + bytes[pos + 1];
        return true;
    }
    static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
    const uint8_t size = kSizes[prefix & 0x3];
    if (bytes.size() - pos - 1 < size) return false;
    item = Item{.type = uint8_t((prefix >> 2) & 0x3), .tag = uint8_t(prefix >> 4), .size = size};
    for (uint8_t i = 0; i < size; ++i) item.data |= uint32_t(bytes[pos + 1 + i]) << (8 * i);
    pos += 1 + size;
    return true;
}

struct GlobalState {
    uint16_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

// Bits per report ID of one report kind; an entry exists once an item of that kind was seen.
using ReportBits = std::map<uint32_t, uint64_t>;

struct TopLevelCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    std::array<ReportBits, 3> bits;  // input, output, feature
};

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
    return a > std::numeric_limits<uint64_t>::max() - b ? std::numeric_limits<uint64_t>::max() : a + b;
}

// The longest report of one kind in bytes, report-ID byte included; 0 when there is none.
int ReportLength(const ReportBits& reports) {
    uint64_t longest = 0;
    for (const auto& [id, bits] : reports) {
        const uint64_t bytes = 1 + bits / 8 + (bits % 8 != 0 ? 1 : 0);
        longest = std::max(longest, std::min<uint64_t>(bytes, INT_MAX));
    }
    return int(longest);
}

class DescriptorParser {
public:
    // Applies one item; false when the descriptor is too broken to go on.
    bool apply(const Item& item) {
        if (item.isLong) return true;
        switch (item.type) {
            case kMain:
                applyMain(item);
                return true;
            case kGlobal:
                return applyGlobal(item);
            case kLocal:
                applyLocal(item);
                return true;
            default:
                return true;
        }
    }

    std::vector<HidCollectionInfo> result() const {
        std::vector<HidCollectionInfo> out;
        for (const TopLevelCollection& c : m_collections) {
            out.push_back({c.usagePage, c.usage, ReportLength(c.bits[0]), ReportLength(c.bits[1]),
                           ReportLength(c.bits[2])});
        }
        return out;
    }

private:
    void applyMain(const Item& item) {
        switch (item.tag) {
            case kCollection:
                openCollection();
                break;
            case kEndCollection:
                if (m_depth > 0) --m_depth;
                break;
            case kInput:
                addBits(0);
                break;
            case kOutput:
                addBits(1);
                break;
            case kFeature:
                addBits(2);
                break;
            default:
                break;
        }
        m_hasUsage = false;
    }

    void openCollection() {
        if (m_depth++ > 0) return;
        TopLevelCollection c;
        c.usagePage = m_hasUsage && m_usageIsExtended ? uint16_t(m_usage >> 16) : m_global.usagePage;
        c.usage = m_hasUsage ? uint16_t(m_usage) : 0;
        m_collections.push_back(c);
    }

    void addBits(int kind) {
        if (m_depth == 0) return;
        uint64_t& bits = m_collections.back().bits[kind][m_global.reportId];
        bits = SaturatingAdd(bits, uint64_t(m_global.reportSize) * m_global.reportCount);
    }

    bool applyGlobal(const Item& item) {
        switch (item.tag) {
            case kUsagePage:
                m_global.usagePage = uint16_t(item.data);
                break;
            case kReportSize:
                m_global.reportSize = item.data;
                break;
            case kReportId:
                m_global.reportId = item.data;
                break;
            case kReportCount:
                m_global.reportCount = item.data;
                break;
            case kPush:
                if (m_stack.size() >= size_t(kHidGlobalStackDepth)) return false;
                m_stack.push_back(m_global);
                break;
            case kPop:
                if (m_stack.empty()) return false;
                m_global = m_stack.back();
                m_stack.pop_back();
                break;
            default:
                break;
        }
        return true;
    }

    // Only the first usage matters: it names a collection that opens next.
    void applyLocal(const Item& item) {
        if (m_hasUsage || (item.tag != kUsage && item.tag != kUsageMinimum)) return;
        m_hasUsage = true;
        m_usage = item.data;
        m_usageIsExtended = item.size == 4;
    }

    GlobalState m_global;
    std::vector<GlobalState> m_stack;
    bool m_hasUsage = false;
    bool m_usageIsExtended = false;
    uint32_t m_usage = 0;
    size_t m_depth = 0;
    std::vector<TopLevelCollection> m_collections;
};

}  // namespace

std::vector<HidCollectionInfo> ParseReportDescriptor(std::span<const uint8_t> descriptor) {
    DescriptorParser parser;
    size_t pos = 0;
    Item item;
    while (pos < descriptor.size()) {
        if (!ReadItem(descriptor, pos, item) || !parser.apply(item)) break;
    }
    return parser.result();
}

}  // namespace voltrane

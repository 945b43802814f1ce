#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/hid_device.h"
#include "device/virtual_mouse.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

using Bytes = std::vector<uint8_t>;

// A state in which every byte differs from its neighbours, so a shifted or misplaced copy shows.
VirtualMouse::State Pattern(uint8_t seed) {
    VirtualMouse::State state{};
    for (std::size_t i = 0; i < state.size(); ++i) state[i] = static_cast<uint8_t>(seed + i * 7);
    state[0] = kSettingsReportId;
    state[VirtualMouse::kButtonOffset] = kButtonReportId;
    return state;
}

Bytes SettingsReport(uint8_t fill) {
    Bytes report(kSettingsReportLength, fill);
    report[0] = kSettingsReportId;
    return report;
}

Bytes ButtonReport(uint8_t seed) {
    Bytes report(kButtonReportLength);
    for (std::size_t i = 0; i < report.size(); ++i) report[i] = static_cast<uint8_t>(seed + i * 13);
    report[0] = kButtonReportId;
    return report;
}

// `state` with `report` stored at `offset`.
VirtualMouse::State With(VirtualMouse::State state, std::size_t offset, const Bytes& report) {
    std::copy(report.begin(), report.end(), state.begin() + static_cast<std::ptrdiff_t>(offset));
    return state;
}

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes AsBytes(const VirtualMouse::State& state) { return Bytes(state.begin(), state.end()); }

const VirtualMouse::State kFactory = Pattern(11);

TEST(VirtualMouseNodes, PointerAndVendorInterface) {
    VirtualMouse mouse(kFactory);
    const std::vector<HidNode> nodes = mouse.Enumerate();
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].path, VirtualMouse::kPointerPath);
    EXPECT_EQ(FindMouseCollection(nodes[0], kSettingsCollectionLength), nullptr);
    EXPECT_EQ(FindMouseCollection(nodes[0], kButtonCollectionLength), nullptr);
    EXPECT_EQ(nodes[1].path, VirtualMouse::kVendorPath);
    EXPECT_NE(FindMouseCollection(nodes[1], kSettingsCollectionLength), nullptr);
    EXPECT_NE(FindMouseCollection(nodes[1], kButtonCollectionLength), nullptr);
}

TEST(VirtualMouseNodes, WithoutButtonCollection) {
    VirtualMouse mouse(kFactory);
    mouse.SetButtonCollection(false);
    const std::vector<HidNode> nodes = mouse.Enumerate();
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_NE(FindMouseCollection(nodes[1], kSettingsCollectionLength), nullptr);
    EXPECT_EQ(FindMouseCollection(nodes[1], kButtonCollectionLength), nullptr);
}

TEST(VirtualMouseNodes, AbsentMouseListsNothingAndCannotBeOpened) {
    VirtualMouse mouse(kFactory);
    mouse.SetPresent(false);
    EXPECT_TRUE(mouse.Enumerate().empty());
    EXPECT_FALSE(mouse.OpenPath(VirtualMouse::kVendorPath));
    EXPECT_FALSE(mouse.IsOpen());
}

TEST(VirtualMouseState, MissingFileIsFactoryStateAndIsNotCreatedByReading) {
    TempDir dir;
    const auto path = dir.path() / "virtual-mouse.bin";
    VirtualMouse mouse(kFactory, path);
    EXPECT_EQ(mouse.StateFileStatus(), VirtualMouse::StateFile::Missing);
    EXPECT_EQ(mouse.Reports(), kFactory);

    ASSERT_TRUE(mouse.OpenPath(VirtualMouse::kVendorPath));
    Bytes buttons(kButtonReportLength);
    buttons[0] = kButtonReportId;
    ASSERT_TRUE(mouse.GetFeature(buttons));
    EXPECT_TRUE(std::equal(buttons.begin(), buttons.end(), kFactory.begin() + 8));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(VirtualMouseState, RoundTripIsByteExact) {
    TempDir dir;
    const auto path = dir.path() / "virtual-mouse.bin";
    const Bytes settings = SettingsReport(0xA5);
    const Bytes buttons = ButtonReport(0x31);
    {
        VirtualMouse mouse(kFactory, path);
        ASSERT_TRUE(mouse.OpenPath(VirtualMouse::kVendorPath));
        ASSERT_TRUE(mouse.SendFeature(settings));
        EXPECT_EQ(ReadBytes(path), AsBytes(With(kFactory, 0, settings)));
        ASSERT_TRUE(mouse.SendFeature(buttons));
    }
    const VirtualMouse::State expected = With(With(kFactory, 0, settings), 8, buttons);
    EXPECT_EQ(ReadBytes(path), AsBytes(expected));

    VirtualMouse again(Pattern(99), path);
    EXPECT_EQ(again.StateFileStatus(), VirtualMouse::StateFile::Loaded);
    EXPECT_EQ(again.Reports(), expected);
    ASSERT_TRUE(again.OpenPath(VirtualMouse::kVendorPath));
    Bytes fetched(kSettingsReportLength);
    fetched[0] = kSettingsReportId;
    ASSERT_TRUE(again.GetFeature(fetched));
    EXPECT_EQ(fetched, settings);
    fetched.assign(kButtonReportLength, 0);
    fetched[0] = kButtonReportId;
    ASSERT_TRUE(again.GetFeature(fetched));
    EXPECT_EQ(fetched, buttons);
}

// A damaged state file is never taken for a factory-new mouse: the vendor node will not open, the
// reason names the file and what is wrong, and the file is left as it was for the user to look at.
TEST(VirtualMouseState, DamagedFileIsReportedAndLeftAlone) {
    const Bytes sound = AsBytes(Pattern(50));
    Bytes noise(VirtualMouse::kStateBytes);
    uint32_t seed = 2057;
    for (uint8_t& byte : noise) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(seed >> 16);
    }
    noise[0] = 0x5A;  // noise that happens to start with the settings report's ID is still noise
    auto broken = [&](auto change) {
        Bytes bytes = sound;
        change(bytes);
        return bytes;
    };
    struct Row {
        const char* name;
        Bytes file;
        const char* says;  // what the reason tells after the file's path
    };
    const std::vector<Row> rows = {
        {"Empty", {}, " is damaged: it holds 0 bytes, not 2057"},
        {"Hundred", Bytes(100, 3), " is damaged: it holds 100 bytes, not 2057"},
        {"OneByteShort", broken([](Bytes& b) { b.pop_back(); }),
         " is damaged: it holds 2056 bytes, not 2057"},
        {"OneByteLong", broken([](Bytes& b) { b.push_back(4); }),
         " is damaged: it holds 2058 bytes, not 2057"},
        {"Twice", Bytes(2 * VirtualMouse::kStateBytes, 3), " is damaged: it holds 4114 bytes, not 2057"},
        {"Huge", Bytes(1 << 20, 3), " is damaged: it holds 1048576 bytes, not 2057"},
        {"RandomBytes", noise, " is damaged: byte 0 must be report ID 3 and byte 8 report ID 4"},
        {"SettingsIdWrong", broken([](Bytes& b) { b[0] = kButtonReportId; }),
         " is damaged: byte 0 must be report ID 3 and byte 8 report ID 4"},
        {"ButtonIdWrong", broken([](Bytes& b) { b[8] = kSettingsReportId; }),
         " is damaged: byte 0 must be report ID 3 and byte 8 report ID 4"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const auto path = dir.path() / "virtual-mouse.bin";
        WriteBytes(path, row.file);

        VirtualMouse mouse(kFactory, path);
        EXPECT_EQ(mouse.StateFileStatus(), VirtualMouse::StateFile::Damaged);
        EXPECT_EQ(mouse.Enumerate().size(), 2u);  // the mouse is there ...
        const OpenResult opened = mouse.OpenPath(VirtualMouse::kVendorPath);
        EXPECT_FALSE(opened);  // ... but answers nothing from a state it does not have
        EXPECT_FALSE(mouse.IsOpen());
        EXPECT_EQ(opened.reason, "the virtual mouse's state file " + path.string() + row.says +
                                     "; remove it to start from the factory state");
        EXPECT_FALSE(mouse.SendFeature(SettingsReport(0x66)));
        EXPECT_EQ(ReadBytes(path), row.file);
    }
}

TEST(VirtualMouseState, FolderInPlaceOfTheFileIsDamagedAndRefusesReports) {
    TempDir dir;
    const auto path = dir.path() / "virtual-mouse.bin";
    std::filesystem::create_directory(path);
    VirtualMouse mouse(kFactory, path);
    EXPECT_EQ(mouse.StateFileStatus(), VirtualMouse::StateFile::Damaged);
    const OpenResult opened = mouse.OpenPath(VirtualMouse::kVendorPath);
    EXPECT_FALSE(opened);
    EXPECT_EQ(opened.reason, "the virtual mouse's state file " + path.string() +
                                 " is not a file; remove it to start from the factory state");
    EXPECT_FALSE(mouse.SendFeature(SettingsReport(1)));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

// A report the mouse could not keep is refused, so the caller never believes a lost write.
TEST(VirtualMouseState, UnwritableFileRefusesTheReportAndKeepsTheOldOne) {
    TempDir dir;
    VirtualMouse mouse(kFactory, dir.path() / "no-such-folder" / "virtual-mouse.bin");
    EXPECT_EQ(mouse.StateFileStatus(), VirtualMouse::StateFile::Missing);
    ASSERT_TRUE(mouse.OpenPath(VirtualMouse::kVendorPath));
    EXPECT_FALSE(mouse.SendFeature(SettingsReport(1)));
    EXPECT_EQ(mouse.Reports(), kFactory);
    const std::string failure = mouse.LastTransferFailure();
    EXPECT_TRUE(failure.starts_with("cannot write the virtual mouse's state file " +
                                    (dir.path() / "no-such-folder" / "virtual-mouse.bin").string() + ": "))
        << failure;
    EXPECT_GT(failure.size(), failure.find(".bin: ") + 6) << "the system's reason is missing";
    // A refusal of another kind has no reason to give.
    VirtualMouse kept(kFactory);
    ASSERT_TRUE(kept.OpenPath(VirtualMouse::kVendorPath));
    kept.RefuseNextSends(1);
    EXPECT_FALSE(kept.SendFeature(SettingsReport(1)));
    EXPECT_EQ(kept.LastTransferFailure(), "");
}

TEST(VirtualMouseState, WithoutFileTheReportsLiveInMemory) {
    VirtualMouse mouse(kFactory);
    EXPECT_EQ(mouse.StateFileStatus(), VirtualMouse::StateFile::NotKept);
    ASSERT_TRUE(mouse.OpenPath(VirtualMouse::kVendorPath));
    const Bytes buttons = ButtonReport(7);
    ASSERT_TRUE(mouse.SendFeature(buttons));
    EXPECT_EQ(mouse.Reports(), With(kFactory, 8, buttons));
}

// A mouse with its vendor node open, keeping its state in a file.
class VirtualMouseTransfer : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(mouse.OpenPath(VirtualMouse::kVendorPath)); }

    TempDir dir;
    std::filesystem::path path = dir.path() / "virtual-mouse.bin";
    VirtualMouse mouse{kFactory, path};
};

TEST_F(VirtualMouseTransfer, ReportsOfWrongIdOrLengthAreRefused) {
    auto report = [](uint8_t id, std::size_t length) {
        Bytes bytes(length, 0x77);
        if (!bytes.empty()) bytes[0] = id;
        return bytes;
    };
    struct Row {
        const char* name;
        Bytes report;
    };
    const std::vector<Row> rows = {
        {"SettingsIdButtonLength", report(3, 2049)},
        {"ButtonIdSettingsLength", report(4, 8)},
        {"SettingsShort", report(3, 7)},
        {"SettingsLong", report(3, 9)},
        {"ButtonShort", report(4, 2048)},
        {"OtherId", report(5, 8)},
        {"IdZero", report(0, 8)},
        {"Empty", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(mouse.SendFeature(row.report));
        Bytes fetched = row.report;
        EXPECT_FALSE(mouse.GetFeature(fetched));
        EXPECT_EQ(fetched, row.report);
    }
    EXPECT_EQ(mouse.Reports(), kFactory);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(VirtualMouseTransfer, PointerNodeTakesNoReports) {
    ASSERT_TRUE(mouse.OpenPath(VirtualMouse::kPointerPath));
    EXPECT_FALSE(mouse.SendFeature(SettingsReport(1)));
    Bytes fetched = SettingsReport(0);
    EXPECT_FALSE(mouse.GetFeature(fetched));
}

TEST_F(VirtualMouseTransfer, UnknownPathCannotBeOpened) {
    EXPECT_FALSE(mouse.OpenPath("/dev/hidraw1"));
    EXPECT_FALSE(mouse.IsOpen());
}

TEST_F(VirtualMouseTransfer, RefusedSendsThenTakes) {
    mouse.RefuseNextSends(2);
    const Bytes settings = SettingsReport(0x42);
    EXPECT_FALSE(mouse.SendFeature(settings));
    EXPECT_FALSE(mouse.SendFeature(settings));
    EXPECT_EQ(mouse.Reports(), kFactory);
    EXPECT_TRUE(mouse.SendFeature(settings));
    EXPECT_EQ(mouse.SendCount(), 3);
    EXPECT_EQ(mouse.Reports(), With(kFactory, 0, settings));
}

TEST_F(VirtualMouseTransfer, FailedFetchThenAnswers) {
    mouse.FailNextFetches(1);
    Bytes fetched = SettingsReport(0);
    EXPECT_FALSE(mouse.GetFeature(fetched));
    EXPECT_EQ(fetched, SettingsReport(0));
    EXPECT_TRUE(mouse.GetFeature(fetched));
    EXPECT_TRUE(std::equal(fetched.begin(), fetched.end(), kFactory.begin()));
    EXPECT_EQ(mouse.FetchCount(), 2);
}

TEST_F(VirtualMouseTransfer, WithoutButtonCollectionButtonReportsAreRefused) {
    mouse.SetButtonCollection(false);
    EXPECT_FALSE(mouse.SendFeature(ButtonReport(1)));
    Bytes fetched = ButtonReport(1);
    EXPECT_FALSE(mouse.GetFeature(fetched));
    EXPECT_TRUE(mouse.SendFeature(SettingsReport(1)));
}

TEST_F(VirtualMouseTransfer, HandleOpenedBeforeUnplugStaysDead) {
    mouse.SetPresent(false);
    EXPECT_FALSE(mouse.SendFeature(SettingsReport(1)));
    mouse.SetPresent(true);
    EXPECT_TRUE(mouse.IsOpen());
    EXPECT_FALSE(mouse.SendFeature(SettingsReport(1)));
    ASSERT_TRUE(mouse.OpenPath(VirtualMouse::kVendorPath));
    EXPECT_TRUE(mouse.SendFeature(SettingsReport(1)));
}

TEST_F(VirtualMouseTransfer, ClosedMouseTakesNothing) {
    mouse.Close();
    EXPECT_FALSE(mouse.IsOpen());
    EXPECT_FALSE(mouse.SendFeature(SettingsReport(1)));
    EXPECT_EQ(mouse.Reports(), kFactory);
}

}  // namespace
}  // namespace voltrane

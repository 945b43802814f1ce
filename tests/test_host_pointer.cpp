#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host/host_pointer.h"
#include "host/host_pointer_memory.h"
#include "setting_fixture.h"

namespace voltrane {
namespace {

MouseSetting withSteps(int32_t speed, int32_t lines, int32_t doubleClick) {
    MouseSetting s = defaults();
    s.m_nItem[kItemPointerSpeed] = speed;
    s.m_nItem[kItemWheelLines] = lines;
    s.m_nItem[kItemDoubleClick] = doubleClick;
    return s;
}

// What each of the ten slider steps sends, and the step each double-click time reads back as.
constexpr int kSpeedOfStep[10] = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
constexpr int kLinesOfStep[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr int kDoubleClickOfStep[10] = {900, 800, 750, 650, 600, 500, 400, 350, 250, 200};
constexpr int kDoubleClickReadBack[10] = {0, 1, 2, 3, 4, 5, 7, 7, 9, 9};

TEST(HostValuesFromItems, EveryStep) {
    for (int step = 0; step <= 9; ++step) {
        SCOPED_TRACE(step);
        const HostPointerValues values = HostValuesFromItems(withSteps(step, step, step));
        EXPECT_EQ(values.speed, kSpeedOfStep[step]);
        EXPECT_FALSE(values.screenAtATime);
        EXPECT_EQ(values.wheelLines, kLinesOfStep[step]);
        EXPECT_EQ(values.doubleClickMs, kDoubleClickOfStep[step]);
    }
}

TEST(HostValuesFromItems, DefaultsGiveSpeed10ThreeLines600Ms) {
    EXPECT_EQ(HostValuesFromItems(defaults()), (HostPointerValues{10, false, 3, 600}));
}

TEST(HostValuesFromItems, WheelModeFollowsItem71Only) {
    struct Row {
        int32_t item70, item71;
        bool screen;
    };
    for (const Row& row :
         {Row{1, 0, false}, Row{0, 0, false}, Row{0, 1, true}, Row{1, 1, true}, Row{0, -4, true}}) {
        SCOPED_TRACE(testing::Message() << row.item70 << "/" << row.item71);
        MouseSetting s = withSteps(4, 6, 4);
        s.m_nItem[kItemScrollLines] = row.item70;
        s.m_nItem[kItemScrollScreen] = row.item71;
        EXPECT_EQ(HostValuesFromItems(s).screenAtATime, row.screen);
    }
}

// Steps outside 0..9 (a slider click past the end, a speed of 1 read back as -1, a damaged
// profile) never reach the desktop as speeds outside 1..20 or times outside 200..900 ms.
TEST(HostValuesFromItems, StepsOutsideTheRangeAreTakenAsTheNearestStep) {
    struct Row {
        int32_t step;
        int speed, lines, doubleClickMs;
    };
    const Row rows[] = {
        {-1, 2, 1, 900}, {10, 20, 10, 200}, {-7, 2, 1, 900}, {INT_MIN, 2, 1, 900}, {INT_MAX, 20, 10, 200},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        const HostPointerValues values = HostValuesFromItems(withSteps(row.step, row.step, row.step));
        EXPECT_EQ(values.speed, row.speed);
        EXPECT_EQ(values.wheelLines, row.lines);
        EXPECT_EQ(values.doubleClickMs, row.doubleClickMs);
    }
}

TEST(ItemsFromHostValues, EverySpeed) {
    const int32_t expected[21] = {-1, -1, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9};
    for (int speed = 0; speed <= 20; ++speed) {
        SCOPED_TRACE(speed);
        MouseSetting s = defaults();
        ItemsFromHostValues({speed, false, 3, 600}, s);
        EXPECT_EQ(s.m_nItem[kItemPointerSpeed], expected[speed]);
    }
}

TEST(ItemsFromHostValues, DoubleClickTimes) {
    struct Row {
        int ms;
        int32_t step;
    };
    // Below 200 ms the time minus 200 wraps around as an unsigned number.
    const Row rows[] = {
        {900, 0},         {800, 1},
        {750, 2},         {650, 3},
        {600, 4},         {500, 5},
        {400, 7},         {350, 7},
        {250, 9},         {200, 9},
        {274, 9},         {275, 8},
        {975, 0},         {1000, 0},
        {1024, 0},        {1025, -2},
        {1100, -3},       {199, -57266221},
        {150, -57266220}, {0, -57266218},
        {-1, -57266218},  {INT_MAX, -28633103},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ms);
        MouseSetting s = defaults();
        ItemsFromHostValues({10, false, 3, row.ms}, s);
        EXPECT_EQ(s.m_nItem[kItemDoubleClick], row.step);
    }
}

TEST(ItemsFromHostValues, ScrollingByLines) {
    struct Row {
        int lines;
        int32_t item83;
    };
    const Row rows[] = {{1, 0}, {2, 1}, {3, 2}, {10, 9}, {0, -1}, {25, 24}, {INT_MIN, INT_MAX}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lines);
        MouseSetting s = defaults();
        s.m_nItem[kItemScrollLines] = 0;
        s.m_nItem[kItemScrollScreen] = 1;
        ItemsFromHostValues({10, false, row.lines, 600}, s);
        EXPECT_EQ(s.m_nItem[kItemScrollLines], 1);
        EXPECT_EQ(s.m_nItem[kItemScrollScreen], 0);
        EXPECT_EQ(s.m_nItem[kItemWheelLines], row.item83);
    }
}

TEST(ItemsFromHostValues, OneScreenAtATimeKeepsTheLineStep) {
    MouseSetting s = withSteps(4, 6, 4);
    ItemsFromHostValues({10, true, 9, 600}, s);
    EXPECT_EQ(s.m_nItem[kItemScrollLines], 0);
    EXPECT_EQ(s.m_nItem[kItemScrollScreen], 1);
    EXPECT_EQ(s.m_nItem[kItemWheelLines], 6);
}

TEST(ItemsFromHostValues, TouchesOnlyThePointerItems) {
    MouseSetting s = defaults();
    for (int i = 0; i < kItemCount; ++i) s.m_nItem[i] = 1000 + i;
    const MouseSetting before = s;
    ItemsFromHostValues({13, false, 5, 650}, s);
    for (int i = 0; i < kItemCount; ++i) {
        SCOPED_TRACE(i);
        if (i == kItemScrollLines || i == kItemScrollScreen || i == kItemPointerSpeed ||
            i == kItemWheelLines || i == kItemDoubleClick) {
            continue;
        }
        EXPECT_EQ(s.m_nItem[i], before.m_nItem[i]);
    }
    EXPECT_EQ(s.m_nItem[kItemPointerSpeed], 5);
    EXPECT_EQ(s.m_nItem[kItemWheelLines], 4);
    EXPECT_EQ(s.m_nItem[kItemDoubleClick], 3);
}

// An apply followed by a read gives back every speed and line step; double-click steps 6 and 8
// come back as 7 and 9.
TEST(HostPointerRoundTrip, EveryStepThroughTheMemoryDesktop) {
    for (int step = 0; step <= 9; ++step) {
        SCOPED_TRACE(step);
        MemoryHostPointer host;
        ApplyHostPointer(host, withSteps(step, step, step));
        MouseSetting read = defaults();
        ReadHostPointer(host, read);
        EXPECT_EQ(read.m_nItem[kItemPointerSpeed], step);
        EXPECT_EQ(read.m_nItem[kItemWheelLines], step);
        EXPECT_EQ(read.m_nItem[kItemDoubleClick], kDoubleClickReadBack[step]);
    }
}

TEST(HostPointerRoundTrip, SpeedOneReadsAsMinusOneAndAppliesAsTheSlowestStep) {
    MemoryHostPointer host({1, false, 3, 600});
    MouseSetting s = defaults();
    ReadHostPointer(host, s);
    ASSERT_EQ(s.m_nItem[kItemPointerSpeed], -1);
    ApplyHostPointer(host, s);
    EXPECT_EQ(host.Values().speed, 2);
}

// Start-up applies the defaults and then reads them back.
TEST(HostPointerRoundTrip, StartUpReadsTheDefaultsBack) {
    MemoryHostPointer host({17, true, 8, 1200});
    ApplyHostPointer(host, defaults());
    EXPECT_EQ(host.Values(), (HostPointerValues{10, false, 3, 600}));

    MouseSetting s = withSteps(9, 9, 9);
    s.m_nItem[kItemScrollLines] = 0;
    s.m_nItem[kItemScrollScreen] = 1;
    ReadHostPointer(host, s);
    EXPECT_EQ(s.m_nItem[kItemPointerSpeed], 4);
    EXPECT_EQ(s.m_nItem[kItemWheelLines], 2);
    EXPECT_EQ(s.m_nItem[kItemDoubleClick], 4);
    EXPECT_EQ(s.m_nItem[kItemScrollLines], 1);
    EXPECT_EQ(s.m_nItem[kItemScrollScreen], 0);
}

TEST(HostPointerRoundTrip, OneScreenAtATimeComesBackWithTheLinesUntouched) {
    MemoryHostPointer host({10, false, 6, 600});
    MouseSetting s = withSteps(4, 1, 4);
    s.m_nItem[kItemScrollScreen] = 1;
    ApplyHostPointer(host, s);
    EXPECT_TRUE(host.Values().screenAtATime);
    EXPECT_EQ(host.Values().wheelLines, 6);  // the line step is not applied

    MouseSetting read = withSteps(4, 8, 4);
    ReadHostPointer(host, read);
    EXPECT_EQ(read.m_nItem[kItemScrollScreen], 1);
    EXPECT_EQ(read.m_nItem[kItemScrollLines], 0);
    EXPECT_EQ(read.m_nItem[kItemWheelLines], 8);
}

TEST(MemoryHostPointer, RefusedApplyKeepsTheDesktopAndIsRecorded) {
    const HostPointerValues initial{7, false, 4, 450};
    MemoryHostPointer host(initial);
    host.SetRefuseApply(true);
    const HostApplyReport report = host.Apply({20, true, 10, 200});
    EXPECT_FALSE(report.Ok());
    EXPECT_TRUE(report.written.empty());
    EXPECT_EQ(report.failed, std::vector<std::string>{"memory: the desktop refused the values"});
    EXPECT_EQ(host.Values(), initial);
    ASSERT_EQ(host.Applied().size(), 1u);
    EXPECT_EQ(host.Applied()[0], (HostPointerValues{20, true, 10, 200}));
}

TEST(MemoryHostPointer, FailedReadLeavesTheRecordUnchanged) {
    MemoryHostPointer host({20, true, 10, 200});
    host.SetFailRead(true);
    EXPECT_EQ(host.Read(), std::nullopt);
    MouseSetting s = withSteps(3, 3, 3);
    const MouseSetting before = s;
    ReadHostPointer(host, s);
    for (int i = 0; i < kItemCount; ++i) EXPECT_EQ(s.m_nItem[i], before.m_nItem[i]) << i;
}

TEST(MemoryHostPointer, AcceptedApplyIsReportedAsWritten) {
    MemoryHostPointer host;
    const HostApplyReport report = host.Apply({20, true, 10, 200});
    EXPECT_TRUE(report.Ok());
    EXPECT_EQ(report.written, std::vector<std::string>{"memory"});
}

// Left alone on request, an apply reports nothing; left alone for a reason, it reports the reason.
TEST(NullHostPointer, ReportsWhyTheDesktopWasLeftAlone) {
    const HostApplyReport asked = NullHostPointer().Apply({20, true, 10, 200});
    EXPECT_TRUE(asked.Ok());
    EXPECT_TRUE(asked.written.empty());
    const HostApplyReport unknown =
        NullHostPointer("desktop sway: not supported").Apply({20, true, 10, 200});
    EXPECT_TRUE(unknown.written.empty());
    EXPECT_EQ(unknown.failed, std::vector<std::string>{"desktop sway: not supported"});
}

TEST(HostApplyReport, SortsEntriesByTheirError) {
    HostApplyReport report;
    report.Add("kdeglobals [KDE] A", "");
    report.Add("kcminputrc [Mouse] B", "Permission denied");
    report.Add("own.ini", "");
    EXPECT_EQ(report.written, (std::vector<std::string>{"kdeglobals [KDE] A", "own.ini"}));
    EXPECT_EQ(report.failed, std::vector<std::string>{"kcminputrc [Mouse] B: Permission denied"});
    EXPECT_FALSE(report.Ok());
}

TEST(NullHostPointer, LeavesTheRecordAlone) {
    NullHostPointer host;
    MouseSetting s = withSteps(3, 3, 3);
    ReadHostPointer(host, s);
    EXPECT_EQ(s.m_nItem[kItemPointerSpeed], 3);
    EXPECT_EQ(s.m_nItem[kItemWheelLines], 3);
    EXPECT_EQ(s.m_nItem[kItemDoubleClick], 3);
}

TEST(PointerAccel, SpeedScaleEnds) {
    struct Row {
        int speed;
        double accel;
    };
    for (const Row& row : {Row{1, -1.0}, Row{20, 1.0}, Row{0, -1.0}, Row{-5, -1.0}, Row{21, 1.0},
                           Row{INT_MAX, 1.0}, Row{10, -1.0 / 19}, Row{11, 1.0 / 19}}) {
        SCOPED_TRACE(row.speed);
        EXPECT_NEAR(PointerAccelFromSpeed(row.speed), row.accel, 1e-12);
    }
}

TEST(PointerAccel, EverySpeedComesBack) {
    for (int speed = 1; speed <= 20; ++speed) {
        SCOPED_TRACE(speed);
        EXPECT_EQ(SpeedFromPointerAccel(PointerAccelFromSpeed(speed)), speed);
    }
}

TEST(PointerAccel, ScaleValuesGiveTheNearestSpeed) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double accel;
        int speed;
    };
    const Row rows[] = {{0.0, 11}, {-0.2, 9}, {0.5, 15}, {-0.99, 1},       {2.0, 20},
                        {-3.0, 1}, {inf, 20}, {-inf, 1}, {std::nan(""), 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.accel);
        EXPECT_EQ(SpeedFromPointerAccel(row.accel), row.speed);
    }
}

}  // namespace
}  // namespace voltrane

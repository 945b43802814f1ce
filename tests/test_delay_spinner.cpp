#include <gtest/gtest.h>

#include <ostream>

#include "capture/delay_spinner.h"

namespace voltrane {
namespace {

struct SpinCase {
    const char* name;
    uint16_t start;
    SpinDirection direction;
    int ticks;  // timer ticks after the press
    uint16_t expected;
};

void PrintTo(const SpinCase& c, std::ostream* out) { *out << c.name; }

class Spinner : public testing::TestWithParam<SpinCase> {};

// The press takes one step at once, each tick one more, within 1..999.
TEST_P(Spinner, CountsWithinTheLimits) {
    const SpinCase& c = GetParam();
    DelaySpinner spinner(c.start);
    spinner.Start(c.direction);
    for (int i = 0; i < c.ticks; ++i) EXPECT_TRUE(spinner.Tick());
    EXPECT_EQ(spinner.Value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(DelaySpinner, Spinner,
                         testing::Values(SpinCase{"PressCountsUpAtOnce", 10, SpinDirection::Up, 0, 11},
                                         SpinCase{"PressCountsDownAtOnce", 10, SpinDirection::Down, 0, 9},
                                         SpinCase{"TicksCountUp", 10, SpinDirection::Up, 5, 16},
                                         SpinCase{"TicksCountDown", 10, SpinDirection::Down, 5, 4},
                                         SpinCase{"StopsAt999", 997, SpinDirection::Up, 5, 999},
                                         SpinCase{"StaysAt999", 999, SpinDirection::Up, 1, 999},
                                         SpinCase{"StopsAt1", 3, SpinDirection::Down, 5, 1},
                                         SpinCase{"StaysAt1", 1, SpinDirection::Down, 1, 1},
                                         SpinCase{"DownFromAboveTheMaximum", 1200, SpinDirection::Down, 0,
                                                  1199},
                                         SpinCase{"IdleDoesNotCount", 10, SpinDirection::Idle, 0, 10}));

TEST(DelaySpinner, ReleaseStopsAtTheNextTick) {
    DelaySpinner spinner(10);
    spinner.Start(SpinDirection::Up);
    EXPECT_TRUE(spinner.Tick());
    spinner.Stop();
    EXPECT_FALSE(spinner.Tick());  // the dialog stops its timer
    EXPECT_EQ(spinner.Value(), 12);
    EXPECT_EQ(spinner.Direction(), SpinDirection::Idle);
}

TEST(DelaySpinner, ResetSetsTheValueAndStops) {
    DelaySpinner spinner;
    EXPECT_EQ(spinner.Value(), kDelayOnOpening);
    spinner.Start(SpinDirection::Down);
    spinner.Reset(kDelayAfterClean);
    EXPECT_FALSE(spinner.Tick());
    EXPECT_EQ(spinner.Value(), 8);
}

}  // namespace
}  // namespace voltrane

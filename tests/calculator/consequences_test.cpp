#include <calculator/clock_calculation.h>
#include <calculator/consequences.h>
#include <calculator/planner.h>
#include <runtime/runtime_error.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace quenvale {
namespace {

struct Row {
    std::string reference, ratio, usb;
    bool usbOk;
    std::string sio, drift;
};

class compute_consequences : public testing::TestWithParam<Row> {};

TEST_P(compute_consequences, gives_texts_and_usb_tolerance) {
    const Row& row = GetParam();
    const Consequences c = computeConsequences(row.reference);
    EXPECT_EQ((std::array{c.ratioText, c.usbText, c.sioText, c.timerDriftText}),
              (std::array{row.ratio, row.usb, row.sio, row.drift}));
    EXPECT_EQ(c.usbWithinTolerance, row.usbOk);
}

INSTANTIATE_TEST_SUITE_P(
    crystals, compute_consequences,
    testing::Values(
        // A single cannot hold 14.318 exactly; the nominal crystal still drifts nothing.
        Row{"14.318", "1", "48", true, "24", "0"},
        Row{"14.35", "1.002235", "48.10728", true, "24.05364", "193.1019"},
        Row{"14.4", "1.005727", "48.2749", false, "24.13745", "494.8154"},
        Row{"15.000", "1.047632", "50.28635", false, "25.14318", "4115.435"}, // 68 min a day
        // 30.89594 if the ratio were stored as a single before scaling.
        Row{"18.432", "1.287331", "61.79187", false, "30.89593", "24825.36"},
        // Either side of 48 MHz ± 0.12.
        Row{"14.353", "1.002445", "48.11733", true, "24.05867", "211.2008"},
        Row{"14.354", "1.002514", "48.12069", false, "24.06034", "217.2376"},
        Row{"14.282", "0.9974856", "47.87931", false, "23.93966", "-217.2395"}));

struct Core {
    std::string reference, fsb, multiplier, core;
};

class compute_core_clock : public testing::TestWithParam<Core> {};

TEST_P(compute_core_clock, multiplies_the_stored_cpu_clock) {
    const Core& c = GetParam();
    const ClockResults clocks = computeClocks(1, 1, c.reference, c.fsb);
    EXPECT_EQ(computeCoreClock(clocks.values[CpuClock], c.multiplier).text, c.core);
}

INSTANTIATE_TEST_SUITE_P(multipliers, compute_core_clock,
                         testing::Values(Core{"14.318", "66.666", "3.5", "233.331"},
                                         Core{"15.000", "100", "４．５", "471.4346"},
                                         // 293.3371 from the CPU clock before it is stored.
                                         Core{"12.000", "100", "3.5", "293.337"}));

TEST(consequences_core_clock_and_plan, fail_like_the_clock_calculation) {
    const auto expectFailure = [](const std::function<void()>& action, ErrorNumber number,
                                  const std::optional<std::string>& text) {
        try {
            action();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), number);
            EXPECT_EQ(error.text(), text);
        }
    };
    expectFailure([] { computeConsequences("14,318"); }, ErrorNumber::TypeMismatch, "14,318");
    expectFailure([] { computeConsequences("1e39"); }, ErrorNumber::Overflow, "1e39");
    // A single, but 48 times its ratio is not.
    expectFailure([] { computeConsequences("3e38"); }, ErrorNumber::Overflow, std::nullopt);
    expectFailure([] { computeCoreClock(100, "x"); }, ErrorNumber::TypeMismatch, "x");
    expectFailure([] { computeCoreClock(3e38F, "10"); }, ErrorNumber::Overflow, std::nullopt);
    // The target is converted before the multiplier.
    expectFailure([] { planCrystals("abc", "x", ClockHint::Ok); }, ErrorNumber::TypeMismatch,
                  "abc");
    expectFailure([] { planCrystals("500", "x", ClockHint::Ok); }, ErrorNumber::TypeMismatch, "x");
    expectFailure([] { planCrystals("500", "1e38", ClockHint::Ok); }, ErrorNumber::Overflow,
                  std::nullopt);
}

} // namespace
} // namespace quenvale

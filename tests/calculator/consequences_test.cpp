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

// What --details and the tool tips say of a crystal, in words a person
// reads: the Super I/O's share fast or slow against its ±2 %, the drift as a
// rounded duration.
struct Words {
    std::string reference;
    Language language;
    std::string superIo, drift, driftCell;
};

class consequence_words : public testing::TestWithParam<Words> {};

TEST_P(consequence_words, tell_the_super_io_and_the_drift) {
    const Words& w = GetParam();
    const Consequences c = computeConsequences(w.reference);
    EXPECT_EQ(superIoVerdict(c, w.language), w.superIo);
    EXPECT_EQ(timerDriftSentence(c, w.language), w.drift);
    EXPECT_EQ(signedDriftDuration(c, w.language), w.driftCell);
}

INSTANTIATE_TEST_SUITE_P(
    crystals, consequence_words,
    testing::Values(
        Words{"14.318", Language::Japanese, "シリアルポートとフロッピーは定格どおりの速さです。",
              "ずれません。", "0"},
        // 193.1 s: three minutes.
        Words{"14.35", Language::Japanese,
              "シリアルポートとフロッピーが 0.2% 速くなります。許容範囲(±2%)内です。",
              "1日に約3分進みます。", "+3分"},
        // 4115.4 s: 68.6 minutes, so 1 h 9 min.
        Words{"15.000", Language::English,
              "Serial ports and the floppy run 4.8% fast, outside tolerance (±2%); transfers may "
              "fail.",
              "Gains about 1 h 9 min a day.", "+1 h 9 min"},
        Words{"12.000", Language::English,
              "Serial ports and the floppy run 16.2% slow, outside tolerance (±2%); transfers may "
              "fail.",
              "Loses about 3 h 53 min a day.", "-3 h 53 min"},
        // Either side of 2 %: 14.6 is 1.97 % fast, 14.61 2.04 %.
        Words{"14.6", Language::English,
              "Serial ports and the floppy run 2% fast, within tolerance (±2%).",
              "Gains about 28 min a day.", "+28 min"},
        Words{"14.61", Language::English,
              "Serial ports and the floppy run 2% fast, outside tolerance (±2%); transfers may "
              "fail.",
              "Gains about 29 min a day.", "+29 min"},
        // Seconds, and under half a second.
        Words{"14.31818", Language::English,
              "Serial ports and the floppy run at their nominal rates.", "Gains about 1 s a day.",
              "+1 s"},
        Words{"14.31805", Language::Japanese, "シリアルポートとフロッピーは定格どおりの速さです。",
              "1日に1秒未満進みます。", "+1秒未満"},
        // Two crystals' worth: a whole day a day, in hours alone.
        Words{"28.636", Language::English,
              "Serial ports and the floppy run 100% fast, outside tolerance (±2%); transfers may "
              "fail.",
              "Gains about 24 h a day.", "+24 h"}));

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

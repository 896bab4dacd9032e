#include <calculator/clock_case.h>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace quenvale {
namespace {

struct CoreCase {
    std::string multiplier;
    std::optional<std::string> core;
    std::optional<ErrorNumber> failure; // quoting the multiplier
};

class case_core_clock : public testing::TestWithParam<CoreCase> {};

// However the core clock fares, the bus clocks of the case stand.
TEST_P(case_core_clock, fails_on_its_own_without_taking_the_bus_clocks) {
    const CoreCase& c = GetParam();
    const ClockCase result = calculateCase("15.000", "100", std::nullopt, std::nullopt,
                                           {.consequences = true, .multiplier = c.multiplier});
    ASSERT_FALSE(result.failed());
    EXPECT_EQ(result.clocks.texts,
              (std::array<std::string, 3>{"104.7632", "34.92108", "69.84216"}));
    EXPECT_TRUE(result.consequences);
    EXPECT_EQ(result.core ? std::optional(result.core->text) : std::nullopt, c.core);
    ASSERT_EQ(result.coreFailure.has_value(), c.failure.has_value());
    if (c.failure) {
        EXPECT_EQ(result.coreFailure->number(), *c.failure);
        EXPECT_EQ(result.coreFailure->text(), c.multiplier);
    }
}

INSTANTIATE_TEST_SUITE_P(multipliers, case_core_clock,
                         testing::Values(CoreCase{"4.5", "471.4346", std::nullopt},
                                         // A single, but its product with the CPU clock is not.
                                         CoreCase{"1e38", std::nullopt, ErrorNumber::Overflow},
                                         CoreCase{"1e39", std::nullopt, ErrorNumber::Overflow},
                                         CoreCase{"x4", std::nullopt, ErrorNumber::TypeMismatch}));

} // namespace
} // namespace quenvale
